#pragma once
#include "outputs/faders/CFaderEngine.h"
#include "shell/app/CAppBase.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CAppPrefs;
class CAsyncLoopThread;
class CColorSetDlg;
class CDmxOutput;
class CExtCmd;
class CMenuKeyTable;
class CViewPrefsDlg;
class CMIDIOutPort;
class CSpecWindow;
class LFrame;
class LObject;
class LStringRef;
class LTimer;

// The application object: the top handler of every chain and the owner of what all documents
// share (the signal-dispatch thread, the preferences, the DMX output and the MIDI output
// port) and of the document windows. It opens, lists and closes documents, serves the
// application's own commands, runs the quit protocol, and loads the preferences when made
// and saves them when it goes.
class CApp : public CAppBase {
public:
    // The members in order, then the preferences from the user's preferences domain.
    CApp();
    // Closes the documents without asking (they reopen at the next launch), saves the
    // preferences, then takes the members down in reverse order.
    ~CApp() override;

    // The application object while it lives, else null.
    static CApp* Get();

    CAsyncLoopThread& DispatchThread() const { return *fDispatch; }
    CAppPrefs& Prefs() const { return *fPrefs; }
    CDmxOutput& DmxOutput() const { return *fDmx; }
    // The user's menu shortcuts, kept in the preferences.
    CMenuKeyTable& MenuKeys() const { return *fMenuKeys; }
    // The view-fonts window once View Fonts made it, else null.
    CViewPrefsDlg* ViewPrefsDialog() const { return fViewPrefs.get(); }

    // The colour window; null without a colour record.
    CColorSetDlg* ColorWindow() const { return fColorWindow.get(); }

    static const char* const kColorSetCommand;   // "CAppCmd_ColorSet"
    // Shows the colour window, where it was last when that place is known.
    void CmdColorSet();

    // Reconnects the MIDI output to the destination chosen in the preferences; with `show`,
    // a failure is reported in a message box.
    void ShowMidiStatus(bool show);
    // Lets the user choose the MIDI destination: OK turns MIDI output on with the chosen
    // destination, Cancel turns it off.
    void CmdMidiUse();
    void LoadPrefs();
    // False when the preferences could not be written.
    bool SavePrefs();
    // The handler of the front-most visible framework window, or null: the parent of the
    // dialogs that commands open.
    LHandler* FrontDocumentWindow() const;

    // Opens the document at `path` (a POSIX path or a file location; empty: a new untitled
    // one) with `record` as its window record, else the record that knows the file, else a new
    // one. A document already open at that path only comes to the front. The window, or null
    // when the file could not be opened.
    CSpecWindow* OpenDocument(const std::string& path, LObject* record = nullptr);
    // Lets the user choose documents through the open panel.
    void CmdOpen();
    // The open document windows in order of opening.
    size_t DocumentCount() const { return fDocuments.size(); }
    CSpecWindow* Document(size_t index) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    // Documents (CAppDocuments.cpp).
    void OpenRequested(const CExtCmd& command);
    void ReopenLastDocuments();
    bool CloseDocument(LFrame* frame);
    void TouchDocument(LFrame* frame);
    bool AskEveryDocument();
    void DeleteDocuments();
    void ReportUnsavedDocuments() const;
    CSpecWindow* FindDocumentWindow(const LFrame* frame) const;
    // A file that did not open: one line on standard error at once; on a desktop it joins the
    // message box that lists the failures of the open request when the request is done.
    void ReportFailedOpen(const std::string& path, const std::string& reason);
    void ShowFailedOpens();
    // A window record made for a failed open goes; one that was known before stays, but is
    // no longer reopened at the next start.
    void ForgetFailedOpen(LObject* record, bool madeForThisOpen);
    void ReportPrefsNotSaved();
    // A message box of the application's own texts, in front of the front document window.
    void ShowMessage(const LStringRef& text);

    bool HandleCommand(const LMessage& msg);
    void EnableCommands(LMenuBar& bar);
    // The menu shortcuts' share of the messages: true when consumed.
    bool HandleShortcutMessage(const LMessage& msg);
    void EnableShortcutCommand(LMenuBar& bar);
    void LoadShortcuts();
    void SaveShortcuts();
    // The view fonts' share: the command, its enabling, and the preferences they live in.
    bool HandleViewPrefsCommand(const LMessage& msg);
    void EnableViewPrefsCommand(LMenuBar& bar);
    void UseViewFontPrefs();
    void CloseViewPrefs();
    // What each document window's fader engine reaches of the application.
    CFaderEngineLinks WindowLinks() const;
    // The colour window (CAppColors.cpp).
    void MakeColorWindow();
    void LoadColorWindowPrefs();
    void SaveColorWindowPrefs();
    bool HandleColorWindowMessage(LMessage& result, const LMessage& msg);

    std::unique_ptr<CAsyncLoopThread> fDispatch;
    std::unique_ptr<CAppPrefs> fPrefs;
    std::unique_ptr<CDmxOutput> fDmx;
    std::unique_ptr<CMenuKeyTable> fMenuKeys;
    std::unique_ptr<CViewPrefsDlg> fViewPrefs;
    std::unique_ptr<CColorSetDlg> fColorWindow;
    std::vector<std::unique_ptr<CSpecWindow>> fDocuments;
    // Set once every document agreed to a quit; a shut-down without it did not ask.
    bool fQuitAgreed = false;
    // Set when the person chose Quit (not on a signal-driven exit).
    bool fQuitChosen = false;
    struct FailedOpen {
        std::string path;
        std::string reason;
    };
    std::vector<FailedOpen> fFailedOpens;
    std::unique_ptr<LTimer> fFailedOpenTimer;   // shows the failures once the request is done
};
