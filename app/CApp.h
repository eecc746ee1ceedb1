#pragma once
#include "shell/app/CAppBase.h"

#include <memory>

class CAppPrefs;
class CAsyncLoopThread;
class CColorSetDlg;
class CDmxOutput;
class CMIDIOutPort;

// The application object: the top handler of every chain and the owner of what all documents
// share (the signal-dispatch thread, the preferences, the DMX output and the MIDI output
// port). It serves the application's own commands, answers the quit question and loads the
// preferences when made and saves them when it goes.
// NOTE: documents and the menu-shortcut table join once the document window and the shortcut
// table exist; until then New, Open and Assign Menu Shortcut stay disabled and an open request
// opens nothing.
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

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool HandleCommand(const LMessage& msg);
    void EnableCommands(LMenuBar& bar);
    void OpenAtLaunch();
    // The colour window (CAppColors.cpp).
    void MakeColorWindow();
    void LoadColorWindowPrefs();
    void SaveColorWindowPrefs();
    bool HandleColorWindowMessage(LMessage& result, const LMessage& msg);

    std::unique_ptr<CAsyncLoopThread> fDispatch;
    std::unique_ptr<CAppPrefs> fPrefs;
    std::unique_ptr<CDmxOutput> fDmx;
    std::unique_ptr<CColorSetDlg> fColorWindow;
};
