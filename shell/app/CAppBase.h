#pragma once
#include "foundation/core/LHandler.h"
#include "shell/mainloop/CMacMainLoop.h"

#include <vector>

class LKeyboard;
class LMenuBar;
class LMenuItem;
class LPane;

// The application-independent half of the application object and the last handler of every
// chain. It owns the main loop, serves the commands every program of the framework has
// (About, Help), gives plain keys to the menu items whose shortcut they are and Delete and
// Backspace to the Delete command, brokers the focus and mouse-capture requests of panes,
// runs modal steps for dialogs, and holds the panes that asked for deferred work until the
// windows are next updated.
class CAppBase : public LHandler {
public:
    CAppBase();
    ~CAppBase() override;

    CMacMainLoop& MainLoop() { return fMainLoop; }
    // The panes waiting for their deferred pass, in order of request.
    const std::vector<LPane*>& DeferredPanes() const { return fDeferred; }

    // Makes the menus ready for the command target before a key is looked up in them: the
    // current menu bar (null when there is none) and, in `target`, the handler that gets the
    // chosen item.
    LMenuBar* MenuTarget(LHandler*& target);

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool HandleMenuMessage(const LMessage& msg);
    bool HandleKeyMessage(const LMessage& msg);
    bool HandlePaneRequest(const LMessage& msg);
    void RunAbout();
    // Sends the chosen item to the command target; false when no item was chosen.
    bool SendCommandItem(LMenuItem* (*select)(LMenuBar&, const char*), const char* what);
    void Defer(LPane* pane);
    void RunDeferred();
    void Forget(LHandler* handler);

    std::vector<LPane*> fDeferred;
    CMacMainLoop fMainLoop;
};
