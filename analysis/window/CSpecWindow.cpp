#include "analysis/window/CSpecWindow.h"
#include "analysis/events/CEventWindow.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHVW.h"
#include "analysis/views/CStatusFrame.h"
#include "analysis/window/CSourceControls.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "controls/CColor.h"
#include "controls/divider/CPaneDivider.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/streams/CForkStream.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/LStrList.h"
#include "outputs/consoles/CDMXCONSOLE.h"
#include "outputs/consoles/CMIDICONSOLE.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "outputs/editor/CFaderFrame.h"
#include "shell/files/FileUrls.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/CPanelWindowKind.h"
#include "sources/CSampleSrc.h"
#include "sources/CSourceType.h"
#include "sources/text/RecordFileHeader.h"
#include "ui/windows/LWindowDef.h"

#include <algorithm>

const char* const CSpecWindow::kResName = "SNXWIN";

namespace {

constexpr uint32_t kConsolePanelKind = 3;
constexpr int32_t kBackgroundColourId = 1;
constexpr const char* kTitleSuffix = " -Sonalyx";
// The FFT sizes the menu offers, 2^8 to 2^13: a stored order outside them is brought inside,
// so a damaged file never asks for a giant transform.
constexpr uint8_t kMinMenuOrder = 8;
constexpr uint8_t kMaxMenuOrder = 13;

LWindowDef DocumentWindowDef()
{
    LRef kind(new CNativeWindowKind(CNativeWindowKind::kDocumentKind));
    return LWindowDef(LWindowDef::kLayerDocument, static_cast<const CNativeWindowKind*>(kind.Get()));
}

LWindowDef ConsoleWindowDef()
{
    LRef kind(new CPanelWindowKind(kConsolePanelKind, 0));
    return LWindowDef(LWindowDef::kLayerFloating, static_cast<const CNativeWindowKind*>(kind.Get()));
}

CColorRef WindowBackground()
{
    CColorRef colour;
    CColor::AssignById(colour, kBackgroundColourId);
    return colour;
}

// Reads (operation 0) or remembers (1) a file location in a text field of the common view
// settings.
void ViewPrefsLocation(uint64_t field, uint32_t operation, LStringRef& fileSpec)
{
    LObject* view = ViewPrefs();
    if (!view || field > UINT8_MAX)
        return;
    if (operation == CFileLocation::kRead)
        fileSpec = view->GetFileSpec(uint8_t(field));
    else
        LObject::SetFilePath(view, nullptr, uint8_t(field), fileSpec);
}

bool IsRecordNotice(const LObjChange& notice, uint32_t cls)
{
    return notice.record && notice.record->Is(CSnxSchema::kCreator, cls) && notice.operation == LObjOp::Changed;
}

} // namespace

CSpecWindow::CSpecWindow(LHandler* app, LAsyncQueue& queue, LObject* windowRecord, CDmxOutput* dmx,
                         CFaderEngineLinks links)
    : LFrame(app, nullptr, DocumentWindowDef()), fQueue(queue), fWindowRecord(windowRecord), fNote(this, &queue),
      fBaselineTimer(this), fLostLinkTimer(this), fServer(this, &queue), fDocLocation(LStringRef("untitled.snx"), kWndsFdfl, FileLocationCallback),
      fSpectrumLocation(LStringRef("untitled.csv"), kWndsSpfl, FileLocationCallback),
      fRecordLocation(LStringRef(), kWndsLgfl, FileLocationCallback),
      fBandLocation(LStringRef(), kWndsFbfl, FileLocationCallback), fUndo(kUndoCapacity)
{
    fSourceType = FindSourceType("");
    ResetLevelExtremes();
    fEngine = std::make_unique<CFaderEngine>(queue, dmx, fDocument, links);
    fAnalyser.SetQueue(&queue);
    (void)fAnalyser.SetupFromDocument(fDocument.Root());
    fAnalyserObserving = fDocument.AddObserver(&fAnalyser, CSpectrumAnalyser::OnDocumentChange);
    BuildPanes();
    SetBackground(WindowBackground());

    LObject* common = Common();
    LObject* view = ViewPrefs();
    LObject::SetFloat(common, nullptr, kComnSrat, std::trunc(FloatOf(view, kWndsSrat)), LObject::Merge::No);
    LObject::SetFloat(common, nullptr, kComnFcrt, FloatOf(view, kWndsFcrt), LObject::Merge::No);
    UpdateTitle();
    PlaceInitially();
    if (view) {
        fSourceName = view->GetString(kWndsPort);
        fRecordLocation.SetPath(view->GetFileSpec(kWndsLgfl));
        fSourceKind = view->GetByte(kWndsLsrc);
    }
    LoadMidiConsoleDefinitions();
    UpdateStatus();
    RebuildFFT();
    CopyCommonSettings();
    // The fader list shows its column titles and a row from the start, not only once a
    // person drags the divider up.
    GrowFaderFrame(fFaderFrame->PreferredHeight());
    PlaceConsoles();
    fDocument.SetModified(false);
    fBaselineTimer.Start(kBaselineMs);
    fObservingRecords = fDocument.AddObserver(this, OnRecordChange);
    if (CAppPrefs* prefs = CAppPrefs::Current())
        fObservingPrefs = prefs->AddObserver(this, OnRecordChange);
}

CSpecWindow::~CSpecWindow()
{
    if (fObservingRecords)
        fDocument.RemoveObserver(this, OnRecordChange);
    if (CAppPrefs* prefs = CAppPrefs::Current(); prefs && fObservingPrefs)
        prefs->RemoveObserver(this, OnRecordChange);
    StoreWindowRecord();
    ClosePlaybackSource();
    CloseLiveSource();
    fServer.Stop();
    fDocument.RemoveAllFaders();
    // The panes go before the engine and the records they show.
    fChList.reset();
    fFreqView.reset();
    fFaderFrame.reset();
    fFaderDivider.reset();
    fStatus.reset();
    fControls.reset();
    fMidiConsole.reset();
    fDmxConsole.reset();
    fEventWindow.reset();
    if (fAnalyserObserving)
        fDocument.RemoveObserver(&fAnalyser, CSpectrumAnalyser::OnDocumentChange);
    fEngine.reset();
}

void CSpecWindow::BuildPanes()
{
    fControls = std::make_unique<CSourceControls>(this);
    fStatus = std::make_unique<CStatusFrame>(this, this);
    fFaderDivider = std::make_unique<CPaneDivider>(this, this);
    fFaderDivider->SetOrientation(CPaneDivider::kStacked);
    fFaderDivider->SetCrossedLimits(CPaneDivider::Keeps::Trailing);
    fFreqView = std::make_unique<SNXCHVW>(this, fFaderDivider.get(), fDocument, fWindowRecord);
    fChList = std::make_unique<CSnxChList>(&fFreqView->Navi(), fAnalyser, fDocument, fWindowRecord);
    fFreqView->SetChannelList(fChList.get());
    fFaderFrame = std::make_unique<CFaderFrame>(this, fFaderDivider.get(), fDocument);
    fDmxConsole = std::make_unique<CDMXCONSOLE>(this, ConsoleWindowDef(), &fDocument, fDocument.Root(), kFdrsDmst);
    fMidiConsole = std::make_unique<CMIDICONSOLE>(this, ConsoleWindowDef(), &fDocument,
                                                  fDocument.Root() ? fDocument.Root()->GetChild(kFdrsMdcs) : nullptr);
    fEventWindow = std::make_unique<CEventWindow>(this, CEventWindow::PanelDef(), &fDocument, fWindowRecord);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void CSpecWindow::PlaceInitially()
{
    const LObject* view = ViewPrefs();
    const CLRect saved = view ? view->GetRect(kWndsDcwp) : CLRect{};
    if (!saved.IsEmpty())
        PlaceWindow(saved, nullptr);
    else
        FitWindowToLayout();
}

void CSpecWindow::PlaceConsoles()
{
    const LObject* view = ViewPrefs();
    if (!view)
        return;
    if (const CLRect rect = view->GetRect(kWndsDxwp); !rect.IsEmpty())
        fDmxConsole->PlaceAt(rect);
    if (const CLRect rect = view->GetRect(kWndsMcwp); !rect.IsEmpty())
        fMidiConsole->PlaceAt(rect);
}

void CSpecWindow::LoadMidiConsoleDefinitions()
{
    CDefTree tree;
    if (LoadDefinitionFile("midiconsole", tree))
        fMidiConsole->SetDefinitions(FindControlsNode(tree));
}

void CSpecWindow::CopyCommonSettings()
{
    LObject* view = ViewPrefs();
    if (!view)
        return;
    LObject::SetBool(fWindowRecord, nullptr, kWindTral, view->GetByte(kWndsTral), LObject::Merge::No);
    LObject::SetBool(fWindowRecord, nullptr, kWindGrid, view->GetByte(kWndsGrid), LObject::Merge::No);
    LObject::SetByte(fWindowRecord, nullptr, kWindTrud, view->GetByte(kWndsTrud), LObject::Merge::No);
    LObject::SetUInt(fWindowRecord, nullptr, kWindTrus, view->GetUInt(kWndsTrus), LObject::Merge::No);
    LObject::SetUInt(fWindowRecord, nullptr, kWindTruf, view->GetUInt(kWndsTruf), LObject::Merge::No);
    ResizeChannelRecords(fDocument.Root(), nullptr, view->GetUInt(kWndsChns));
    LObject::SetBool(Common(), nullptr, kComnDb, view->GetByte(kWndsDb), LObject::Merge::No);
    fChList->SetZoom(std::max<uint32_t>(1, view->GetUInt(kWndsZoom)));
    LObject::SetBool(fWindowRecord, nullptr, kWindZmrw, view->GetByte(kWndsZmrw), LObject::Merge::No);
    fFreqView->Divider().MoveDivider(0, fFreqView->Divider().Rect().Width() / 2);
}

LObject* CSpecWindow::Common() const
{
    return fDocument.Common();
}

LObject* CSpecWindow::CommonView() const
{
    return ViewPrefs();
}

bool CSpecWindow::OpenFile(const std::string& path, std::string* failure)
{
    bool complete = false;
    bool read = false;
    plat::FileResult opened = plat::FileResult::Ok;
    uint64_t size = 0;
    {
        CForkStream stream(path, LStream::kReadOnly, 0);
        opened = stream.OpenResult();
        read = stream.Error() == LStream::kNoError && ReadRecordXml(stream, fDocument.Root(), &complete);
        if (!read && opened == plat::FileResult::Ok)
            size = stream.GetSize();
    }
    // A document cut short would show only its first part, and saving it would lose the rest
    // for good: it is not opened, and its file stays as it is.
    if (read && !complete) {
        if (failure)
            *failure = "the document is cut short";
        return false;
    }
    if (read) {
        const uint8_t order = ByteOf(Common(), kComnFtsx);
        const uint8_t clamped = std::clamp(order, kMinMenuOrder, kMaxMenuOrder);
        if (clamped != order)
            LObject::SetByte(Common(), nullptr, kComnFtsx, clamped, LObject::Merge::No);
        fDocument.SetModified(false);
        ApplyRateToSource();
        LObject::SetUInt(ViewPrefs(), nullptr, kWndsChns,
                         fDocument.Root()->GetArrayCount(kFdrsChns), LObject::Merge::No);
        const LStringRef location = UrlFromPosixPath(path);
        LObject::SetFilePath(ViewPrefs(), nullptr, kWndsFdfl, location);
        fDocLocation.SetPath(location);
        UpdateTitle();
        GrowFaderFrame(fFaderFrame->PreferredHeight());
        CUndoStrm::Clear(this);
        return true;
    }
    if (opened != plat::FileResult::Ok) {
        if (failure)
            *failure = plat::FileResultText(opened);
        return false;
    }
    if (FileExtensionLower(LastPathComponent(path.c_str())).View() == "tks") {
        // A window that would play nothing, without a word, is not opened.
        if (std::string problem = RecordFileProblem(path); !problem.empty()) {
            if (failure)
                *failure = std::move(problem);
            return false;
        }
        const LStringRef location = UrlFromPosixPath(path);
        fRecordLocation.SetPath(location);
        SetSourceKind(kPlaybackSource);
        // The window record keeps them too, so applying it afterwards plays this recording.
        LObject::SetFilePath(fWindowRecord, nullptr, kWindLgfl, location);
        LObject::SetByte(fWindowRecord, nullptr, kWindLsrc, kPlaybackSource, LObject::Merge::No);
        return true;
    }
    if (failure)
        *failure = size == 0 ? "the file is empty" : "it is not a document this program can read";
    return false;
}

bool CSpecWindow::ApplyWindowRecord()
{
    LObject* w = fWindowRecord;
    if (!w)
        return true;
    fChList->SetZoom(std::max<uint32_t>(1, w->GetUInt(kWindZoom)));
    fSourceName = w->GetString(kWindPort);
    fRecordLocation.SetPath(w->GetFileSpec(kWindLgfl));
    fSourceKind = w->GetByte(kWindLsrc);
    fBands.SetWidth(w->GetFloat(kWindFqbw));
    fBandLocation.SetPath(w->GetFileSpec(kWindFbfl));
    const uint8_t mode = w->GetByte(kWindFqmd);
    if (mode == 2)
        LoadBandsFrom(fBandLocation.GetPath());
    if (mode == 1 || mode == 2)
        fChList->SetBandList(&fBands);
    const CLRect rect = w->GetRect(kWindDcwp);
    if (!rect.IsEmpty()) {
        PlaceWindow(rect, nullptr);
        fFreqView->Divider().MoveDivider(0, w->GetInt(kWindChdv));
        fFaderDivider->MoveDivider(0, w->GetInt(kWindFddv));
    }
    return true;
}

void CSpecWindow::Start()
{
    ShowWindow();
    if (fSourceKind == kPlaybackSource) {
        if (MakePlaybackSource() == 0) {
            UsePlaybackSource();
            StartPlayback();
        }
    } else if (fSourceKind == kLiveSource) {
        (void)CreateSource();
    }
    if (fWindowRecord && fWindowRecord->GetByte(kWindSvus))
        (void)fServer.Start(fWindowRecord->GetUInt(kWindSvpt));
}

void CSpecWindow::StoreWindowRecord()
{
    LObject* w = fWindowRecord;
    if (!w)
        return;
    LObject::SetInt(w, nullptr, kWindChdv, fFreqView ? fFreqView->Divider().DividerPos(0) : 0, LObject::Merge::No);
    LObject::SetInt(w, nullptr, kWindFddv, fFaderDivider ? fFaderDivider->DividerPos(0) : 0, LObject::Merge::No);
    LObject::SetUInt(w, nullptr, kWindZoom, fChList ? fChList->Zoom() : 1, LObject::Merge::No);
    LObject::SetByte(w, nullptr, kWindLsrc, fSourceKind, LObject::Merge::No);
    uint8_t mode = 0;
    if (fChList && fChList->BandList())
        mode = fBands.Count() > 0 ? 2 : 1;
    LObject::SetByte(w, nullptr, kWindFqmd, mode, LObject::Merge::No);
    LObject::SetFloat(w, nullptr, kWindFqbw, fBands.width, LObject::Merge::No);
    // The window's own file: an untitled window must not claim the last document saved.
    const std::string document = DocumentPath();
    LObject::SetFilePath(w, nullptr, kWindDcfl, document.empty() ? LStringRef() : UrlFromPosixPath(document));
    LObject::SetFilePath(w, nullptr, kWindLgfl, fRecordLocation.GetPath());
    LObject::SetFilePath(w, nullptr, kWindFbfl, fBandLocation.GetPath());
    LObject::SetString(w, nullptr, kWindPort, fSourceName, LObject::Merge::No);
    if (Window())
        LObject::SetRect(w, nullptr, kWindDcwp, GetWindowContentRect());
    if (fEventWindow && fEventWindow->Window())
        LObject::SetRect(w, nullptr, kWindEvwp, fEventWindow->GetWindowContentRect());
}

void CSpecWindow::UpdateTitle()
{
    const std::string path = DocumentPath();
    const std::string shown = path.empty() ? std::string(fDocLocation.DefaultName().View()) : path;
    SetTitle(LStringRef(shown + kTitleSuffix));
}

std::string CSpecWindow::DocumentPath() const
{
    // Until a file is chosen the location answers its default name, which is no file location.
    const LStringRef chosen = fDocLocation.GetPathOrName();
    if (chosen.View() == fDocLocation.DefaultName().View())
        return {};
    return std::string(PosixPathFromUrl(chosen.View()).View());
}

bool CSpecWindow::IsModified() const
{
    return fDocument.IsModified() || (fFaderFrame && fFaderFrame->List().HasTypedText());
}

void CSpecWindow::TakeDmxOutput()
{
    fEngine->TakeDmxOutput();
}

void CSpecWindow::FileLocationCallback(uint64_t field, uint32_t operation, LStringRef& fileSpec)
{
    ViewPrefsLocation(field, operation, fileSpec);
}

void CSpecWindow::OnRecordChange(void* context, LObjChange& notice)
{
    static_cast<CSpecWindow*>(context)->RecordChanged(notice);
}

void CSpecWindow::RecordChanged(const LObjChange& notice)
{
    // Texts for the device come only from this window's own record: another document's text
    // must not reach this window's live source.
    if (IsRecordNotice(notice, CSnxSchema::kWindowClass)) {
        if (notice.record == fWindowRecord && notice.field == kWindDeviceText && fLive) {
            const LStringRef text = fWindowRecord->GetString(kWindDeviceText);
            if (!text.IsEmpty())
                fLive->RecordText(std::string(text.View()).c_str());
        }
        return;
    }
    if (notice.record == fDocument.Root() && notice.field == kFdrsFdrs) {
        if (notice.operation == LObjOp::Inserted || notice.operation == LObjOp::Changed)
            KeepFaderRow();
        return;
    }
    if (!IsRecordNotice(notice, CSnxSchema::kCommonClass) || notice.record != Common())
        return;
    if (notice.field == kComnSrat || notice.field == kComnFcrt)
        ApplyRateToSource();
    else if (notice.field == kComnFtsx || notice.field == kComnWnfc)
        RebuildFFT();
}

void CSpecWindow::StateChanged(int32_t event)
{
    if (event == kEventDeactivate && fEventWindow)
        fEventWindow->HideWindow();
    if (event == kEventActivate) {
        if (fEventWindow && fWindowRecord && fWindowRecord->GetByte(kWindEvwo))
            fEventWindow->ShowWindow();
        TakeDmxOutput();
    }
    LFrame::StateChanged(event);
}

void CSpecWindow::RectChanged(const CLRect& old)
{
    const int32_t oldExtent = fFaderDivider ? fFaderDivider->Rect().Height() : 0;
    const int32_t oldPos = fFaderDivider ? fFaderDivider->DividerPos(0) : -1;
    LFrame::RectChanged(old);
    if (old == Rect() || !fFaderDivider)
        return;
    Relayout();
    const int32_t newExtent = fFaderDivider->Rect().Height();
    if (oldPos < 0)
        return;
    const int64_t pos = oldExtent > 0 ? (int64_t(oldExtent) / 2 + int64_t(newExtent) * oldPos) / oldExtent
                                      : newExtent / 2;
    fFaderDivider->MoveDivider(0, int32_t(pos));
}

// Whatever the layout gave the views and the fader list, a fader stays in sight.
void CSpecWindow::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    KeepFaderRow();
}

void CSpecWindow::RunLayout()
{
    Relayout();
}

CLPoint CSpecWindow::PreferredSize()
{
    return {PrefWidth(nullptr, 0), PrefHeight(nullptr, 0)};
}

std::string MakeUntitledDocumentPath()
{
    CFileLocation location(LStringRef("untitled.snx"), kWndsFdfl, ViewPrefsLocation);
    return std::string(PosixPathFromUrl(location.GetSavePath().View()).View());
}
