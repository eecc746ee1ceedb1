#pragma once
#include "analysis/CBandList.h"
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CWindowedFFT.h"
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/async/LAsyncEvent.h"
#include "foundation/core/LStringRef.h"
#include "foundation/records/CUNDOQ.h"
#include "outputs/faders/CFaderEngine.h"
#include "shell/files/CFileLocation.h"
#include "sources/server/CDataServer.h"
#include "ui/LTimer.h"
#include "ui/frames/LFrame.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CDmxOutput;
class CDMXCONSOLE;
class CEventWindow;
class CFaderFrame;
class CMIDICONSOLE;
class CPaneDivider;
class CSampleSrc;
class CSnxChList;
class SNXCHVW;
class CSourceControls;
class CStatusFrame;
class LAsyncQueue;
class LMenuBar;
class LObject;
struct CSourceType;
struct LObjChange;

// The document window: one per open document. It owns the document's records, its sample
// sources, the analysis state and FFT plan, the fader engine, the data server, the consoles,
// the views and the undo queue, and keeps its view state in a 'WIND' record of the
// preferences. Samples travel through it as the sample road (CSpecWindowRoad.cpp).
class CSpecWindow : public LFrame {
public:
    static const char* const kResName;     // "SNXWIN"
    static constexpr uint64_t kUndoCapacity = 0x100000;
    static constexpr uint32_t kBaselineMs = 10000;
    enum SourceKind : uint8_t { kNoSource = 0, kLiveSource = 1, kPlaybackSource = 2 };

    // `app`: the parent handler; `queue`: the signal-dispatch thread's queue; `windowRecord`:
    // the document's 'WIND' record in the preferences (not owned); `links` reach the
    // application's MIDI port and sound players.
    CSpecWindow(LHandler* app, LAsyncQueue& queue, LObject* windowRecord, CDmxOutput* dmx,
                CFaderEngineLinks links = {});
    ~CSpecWindow() override;

    // Opening and closing (CSpecWindow.cpp, CSpecWindowSave.cpp).
    // Reads a document file (a POSIX path); a recording ("tks") instead becomes the source
    // this untitled window plays. False when it is neither or cannot be read; `failure`
    // (when given) then gets the reason in words.
    bool OpenFile(const std::string& path, std::string* failure = nullptr);
    bool ApplyWindowRecord();
    // Shows the window and opens its source and data server.
    void Start();
    // True when the window may close: not modified, saved, or the user chose not to save. A
    // fader parameter still being typed is stored first.
    bool AskSaveChanges();
    bool SaveAs();
    // Saves into the document's file, or asks for one while it is untitled; false when
    // nothing was saved.
    bool SaveDocument();
    // Writes the document atomically, with a fader parameter still being typed stored first;
    // false (the old file untouched, still modified, the user told) when any step fails.
    bool Save(const std::string& path);
    void UpdateTitle();
    // The document's file as a POSIX path; empty while untitled.
    std::string DocumentPath() const;
    // The document changed since it was saved, or a fader parameter is being typed.
    bool IsModified() const;
    // Stores a parameter typed into the fader editor whose edit has not ended.
    void EnterTypedText();
    // Makes this window's fader engine drive the shared DMX output and the consoles' values.
    void TakeDmxOutput();

    // The sample road (CSpecWindowRoad.cpp).
    void OnSourceData();
    void Analyse();
    void UpdateStatus();
    void RebuildFFT();
    void PushSourceFormat(CSampleSrc& source, uint32_t overflow);

    // Playback (CSpecWindowSources.cpp).
    int32_t MakePlaybackSource();
    void UsePlaybackSource();
    void UseLiveSource();
    void StartPlayback();
    void TogglePlayback();
    void ClosePlaybackSource();
    void CloseLiveSource();
    void ApplyRateToSource();
    void SetSourceKind(uint8_t kind);
    void UpdatePlaybackPosition();
    void OnSliderMoved();
    void SeekToSlider();
    float SliderSeconds() const;
    // Seconds as " h:mm:ss", rounded half away from zero.
    static LStringRef ShowTime(float seconds);
    // Replaces the live source (taking ownership); the current source follows under the lock.
    void SetLiveSource(std::unique_ptr<CSampleSrc> source);

    // Live sources and recording (CSpecWindowLive.cpp, CSpecWindowRecord.cpp).
    void SelectSource();
    // Opens the live source named by the source name: 0 ok, 1 no such source, 2 open
    // failed, 3 port busy.
    int32_t CreateSource();
    void ToggleRecord();
    void StartRecord();
    void StopRecord();
    void OpenRecord();

    // CSV export of the recording played back (CSpecWindowCsv.cpp).
    void SaveSpectrum();
    void SaveSpectrumCsv(const std::string& path);

    // Commands (CSpecWindowCommands.cpp).
    void SetAmpDB(uint8_t v);
    void SetFreqLog(uint8_t v);
    void SetFFTOrder(uint8_t v);
    void SetWindowFunc(uint8_t v);
    void SetCutDC(uint8_t v);
    void PeakDialog();
    void FreqInterval();
    void LoadBands();
    // Reads the band file at the location into the bands; when it gives none, the bands stay,
    // one line on standard error says why, and `failed` (when given) gets the file's name and
    // the reason.
    bool LoadBandsFrom(const LStringRef& location, std::string* failed = nullptr);
    void SampleRateDialog();
    void ServerDialog();
    void ShowDmxConsole();
    void ShowMidiConsole();
    // The fader editor and the event-text window (CSpecWindowEditors.cpp).
    void ShowEventWindow();

    // Layout.
    void RunLayout();
    CLPoint PreferredSize();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

    // What tests and the application read.
    LObject* WindowRecord() const { return fWindowRecord; }
    // Lets go of the window record untouched: a window whose file did not open goes without
    // writing its own state over what the record knew.
    void ReleaseWindowRecord() { fWindowRecord = nullptr; }
    CFaderSetRecord& Document() { return fDocument; }
    CSpectrumAnalyser& Analyser() { return fAnalyser; }
    CFaderEngine& FaderEngine() { return *fEngine; }
    CDataServer& DataServer() { return fServer; }
    CSampleSrc* CurrentSource() const { return fCurrent; }
    LAsyncQueue& Queue() const { return fQueue; }
    CSampleSrc* LiveSource() const { return fLive.get(); }
    CSampleSrc* PlaybackSource() const { return fPlayback.get(); }
    uint8_t SourceKindValue() const { return fSourceKind; }
    uint32_t CurrentRate() const { return fSampleRate; }
    const CWindowedFFT& Plan() const { return fPlan; }
    CBandList& Bands() { return fBands; }
    CSnxChList& ChannelList() const { return *fChList; }
    SNXCHVW& FrequencyView() const { return *fFreqView; }
    CStatusFrame& Status() const { return *fStatus; }
    CSourceControls& SourceControls() const { return *fControls; }
    CDMXCONSOLE* DmxConsole() const { return fDmxConsole.get(); }
    CMIDICONSOLE* MidiConsole() const { return fMidiConsole.get(); }
    CFaderFrame& FaderFrame() const { return *fFaderFrame; }
    CEventWindow* EventWindow() const { return fEventWindow.get(); }
    CFileLocation& DocumentLocation() { return fDocLocation; }
    CFileLocation& RecordLocation() { return fRecordLocation; }
    CFileLocation& SpectrumLocation() { return fSpectrumLocation; }
    const LStringRef& SourceName() const { return fSourceName; }
    const LAsyncEvent& Note() const { return fNote; }
    const LTimer& BaselineTimer() const { return fBaselineTimer; }
    bool HasNewData() const { return fNewData; }
    float LevelMin(uint32_t c) const { return fLevelMin[c]; }
    float LevelMax(uint32_t c) const { return fLevelMax[c]; }

private:
    // Construction steps (CSpecWindow.cpp).
    void BuildPanes();
    void CopyCommonSettings();
    void PlaceInitially();
    void LoadMidiConsoleDefinitions();
    void PlaceConsoles();
    void StoreWindowRecord();
    static void OnRecordChange(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);
    void GrowFaderFrame(int32_t preferredHeight);
    // While the document has faders, the fader list keeps its titles and one whole row in
    // view, taking the room from the views above it.
    void KeepFaderRow();
    bool HandleEditorMessage(LMessage& result, const LMessage& msg);
    static void FileLocationCallback(uint64_t field, uint32_t operation, LStringRef& fileSpec);
    LObject* Common() const;
    LObject* CommonView() const;

    // Message handling (CSpecWindowCommands.cpp).
    bool HandleCommand(const LMessage& msg);
    bool HandleParamCommand(const LMessage& msg);
    void EnableCommands(LMenuBar& bar);
    bool HandleControlMessage(const LMessage& msg);
    bool HandleRoadMessage(const LMessage& msg);
    bool HandleLinkClosed(const LMessage& msg);
    // Ends the recording of a TCP source whose connection is gone, closes the source and
    // says why.
    void CloseLostLink();
    bool HandleWindowMessage(LMessage& result, const LMessage& msg);

    // Live-source helpers (CSpecWindowLive.cpp, CSpecWindowRecord.cpp).
    bool ChooseAddress();
    bool ChooseAnalyserPort();
    // The live source as chosen; a TCP peer by its address.
    LStringRef LiveSourceName() const;
    // The caption beside the source buttons names what the views show: the live source, or the
    // recording by its file name, the one being written while the live source is recorded.
    // With nothing shown it keeps what it named last.
    void NameShownSource();
    // Stops a recording whose file can no longer be written and tells the user.
    void CheckRecording();

    // Road helpers (CSpecWindowRoad.cpp).
    void ResetLevelExtremes();
    void PeakPass();
    void SetCurrentSource(CSampleSrc* source);
    void PushFrame(const float frame[], int32_t n);

    LAsyncQueue& fQueue;
    LObject* fWindowRecord;
    LAsyncEvent fNote;
    LTimer fBaselineTimer;
    // Closes a TCP source whose connection is gone once its port's report is over.
    LTimer fLostLinkTimer;
    CDataServer fServer;
    CSampleSrc* fCurrent = nullptr;
    std::unique_ptr<CSampleSrc> fLive;
    std::unique_ptr<CSampleSrc> fPlayback;
    LStringRef fPlaybackName;     // the file name of the recording fPlayback plays
    CWindowedFFT fPlan;
    CBandList fBands;
    CSpectrumAnalyser fAnalyser;
    uint32_t fSampleRate = 1;
    LStringRef fSourceTypeName;
    const CSourceType* fSourceType = nullptr;
    LStringRef fSourceName;
    std::string fSourceFailure;   // what the last failed CreateSource knows of the cause
    CFileLocation fDocLocation;
    CFileLocation fSpectrumLocation;
    CFileLocation fRecordLocation;
    CFileLocation fBandLocation;
    CFaderSetRecord fDocument;
    std::unique_ptr<CFaderEngine> fEngine;
    bool fAnalyserObserving = false;
    bool fObservingRecords = false;
    bool fObservingPrefs = false;
    uint8_t fSourceKind = kNoSource;
    bool fNewData = false;
    std::unique_ptr<CDMXCONSOLE> fDmxConsole;
    std::unique_ptr<CMIDICONSOLE> fMidiConsole;
    std::unique_ptr<CEventWindow> fEventWindow;
    CUNDOQ fUndo;
    std::unique_ptr<CSourceControls> fControls;
    std::unique_ptr<CStatusFrame> fStatus;
    std::unique_ptr<CPaneDivider> fFaderDivider;
    std::unique_ptr<CSnxChList> fChList;
    std::unique_ptr<SNXCHVW> fFreqView;
    std::unique_ptr<CFaderFrame> fFaderFrame;
    float fLevelMin[4];
    float fLevelMax[4];
};

// The default save location of a new document named "untitled.snx", as a POSIX path.
std::string MakeUntitledDocumentPath();
