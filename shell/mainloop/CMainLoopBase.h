#pragma once
#include "foundation/core/LHandler.h"
#include "shell/CRunLoopSignal.h"

#include <vector>

// The framework's main loop as the application sees it: a handler between the application
// object (its parent) and the platform. It keeps the stack of handlers that run modal steps,
// finds the target of commands and delivers due framework timers and mouse-capture changes.
// The platform's own loop is the derived class. Main thread only.
class CMainLoopBase : public LHandler {
public:
    static const char* msgQuit;     // "CMainLoopBase_Quit"
    static const char* msgSwitch;   // "CMainLoopBase_Switch"
    static const char* msgDeferred; // "CMainLoopBase_Deferred"

    // Registers the application as the handler GetAppHandler answers.
    explicit CMainLoopBase(LHandler* application);
    ~CMainLoopBase() override;

    // One step of a modal loop: waits for and handles the next event.
    virtual void RunModalStep() = 0;
    // Asks the platform to quit (which asks the application first).
    virtual void Quit() = 0;
    // Asks for one deferred-work pass before the windows are next updated.
    virtual void RequestWindowUpdate() = 0;
    // A wake-up of the main thread that any thread may signal; the caller owns it.
    virtual CRunLoopSignal* CreateWakeSignal(CRunLoopSignal::Callback callback, void* context) = 0;

    // The owner of the front-most visible modal window, or null.
    static LHandler* ModalWindowOwner();
    // The handler that menus are enabled for and commands sent to: the application without
    // a key window or with only the small menu-bar window key, null when the key window is
    // not a framework window, else the owner frame's focus target (or the frame; the window
    // itself when it has no owner).
    LHandler* CommandTarget() const;
    // Runs one modal step for the handler ("LHandler_Mode"): a capture held outside the
    // modal window's chain is released first; the handler is on the modal stack meanwhile.
    void ModalStep(LHandler* handler);
    // Sends every due framework timer's message, one at a time, until none is due.
    void DispatchDueTimers();
    // Gives the mouse capture to the handler, releasing another capturer first.
    static void SetMouseCapture(LHandler* handler);

    // The innermost handler running a modal step, or null.
    LHandler* ModalTop() const { return fModalStack.empty() ? nullptr : fModalStack.back(); }
    size_t ModalDepth() const { return fModalStack.size(); }

    bool active = false; // the application is the active one

private:
    std::vector<LHandler*> fModalStack;
};

// The application handler registered by the main loop; null before and after.
LHandler* GetAppHandler();
// Takes the capture from its holder and tells it with "LMouse_Release".
void ReleaseMouseCapture();
// Sends the cursor question for the pointer's place: to the capturer, to the window under
// the pointer (or the modal window), else to the fall-back recipient.
void DispatchCursor(LHandler* fallback);
