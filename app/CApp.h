#pragma once
#include "shell/app/CAppBase.h"

#include <memory>

class CAppPrefs;
class CAsyncLoopThread;
class CDmxOutput;
class CMenuKeyTable;
class CViewPrefsDlg;
class CMIDIOutPort;

// The application object: the top handler of every chain and the owner of what all documents
// share (the signal-dispatch thread, the preferences, the DMX output and the MIDI output
// port). It serves the application's own commands, answers the quit question and loads the
// preferences when made and saves them when it goes.
// NOTE: documents and the colour window join once the document window and the colour window
// exist; until then New, Open and Colours stay disabled and an open request opens nothing.
class CApp : public CAppBase {
public:
    // The members in order, then the preferences from the user's preferences domain.
    CApp();
    // Saves the preferences, then takes the members down in reverse order.
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

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool HandleCommand(const LMessage& msg);
    void EnableCommands(LMenuBar& bar);
    void OpenAtLaunch();
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

    std::unique_ptr<CAsyncLoopThread> fDispatch;
    std::unique_ptr<CAppPrefs> fPrefs;
    std::unique_ptr<CDmxOutput> fDmx;
    std::unique_ptr<CMenuKeyTable> fMenuKeys;
    std::unique_ptr<CViewPrefsDlg> fViewPrefs;
};
