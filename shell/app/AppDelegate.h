#pragma once
#include "platform/app/ApplicationDelegate.h"

struct AEDescriptor;
class CMacMainLoop;

// Turns what the platform application reports into framework messages: open requests
// ("CExtCmd_Open" to the main loop), the quit question ("CMainLoopBase_Quit" up the
// application chain, answered from the main loop's quit-pending flag), activation
// ("CMainLoopBase_Switch"), update passes ("CMainLoopBase_Deferred"), menu readiness and
// chosen menu items ("LMenuBar_Ready", "LMenuItem_Selected"). Nothing is sent before the main
// loop is set or after it went.
class AppDelegate : public plat::ApplicationDelegate {
public:
    using GlobalsHook = void (*)();

    // The hooks make and destroy the program's global services around the run.
    explicit AppDelegate(GlobalsHook createGlobals = nullptr, GlobalsHook destroyGlobals = nullptr);

    // The platform application's delegate when it is an AppDelegate, else null.
    static AppDelegate* Current();

    void WillFinishLaunching() override;
    void DidFinishLaunching() override;
    bool OpenFile(const std::string& path) override;
    bool OpenUntitledFile() override;
    TerminateReply ShouldTerminate() override;
    void WillTerminate() override;
    void DidBecomeActive() override;
    void DidResignActive() override;
    void WillUpdate() override;
    // A message box says which: the help file is missing, or no opener could be started.
    void HelpNotShown(HelpProblem problem, const std::string& path) override;

    // The system's Quit item is enabled exactly when a framework Quit item is; others are.
    bool ValidateMenuItem(const plat::MenuItem& item) const override;
    // "menuitemchoosen:" (every framework item's action) and "terminate:" (which does nothing:
    // the Quit item reaches the application through MenuAction).
    bool RespondsTo(std::string_view action) const override;
    void Perform(std::string_view action, plat::MenuItem* sender) override;

    void SetMain(CMacMainLoop* main) { mMain = main; }
    CMacMainLoop* Main() const { return mMain; }
    bool Started() const { return mStarted; }

    // Makes the menus ready for the present command target (before a menu opens or a key
    // equivalent is tried); the Window menu lists the program's windows after its own items.
    void MenuBarTrack();
    // A menu item sent its action: the system's Quit item asks the application to terminate.
    void MenuAction(plat::MenuItem* item);
    // A framework item was chosen: its entry goes to the command target.
    void MenuItemChosen(plat::MenuItem* sender);
    // An event of the system with its reply, sent up the application chain as "CExtCmd_AE".
    void HandleAppleEvent(const AEDescriptor* event, const AEDescriptor* reply);

private:
    void SendOpen(const std::string* path);

    bool mStarted = false;
    CMacMainLoop* mMain = nullptr;
    GlobalsHook fCreateGlobals;
    GlobalsHook fDestroyGlobals;
};
