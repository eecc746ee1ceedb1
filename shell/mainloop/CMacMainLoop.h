#pragma once
#include "foundation/core/LRef.h"
#include "foundation/geometry/CLPoint.h"
#include "shell/mainloop/CMainLoopBase.h"

#include <cstdint>
#include <memory>
#include <vector>

class LMenuBar;
class LWindow;
class MainLoopTimerRecord;
class MainLoopTimerPool;

namespace plat {
class Event;
class Window;
struct ModalSession;
}

// The main loop on the platform's run loop. One run-loop timer, in the common modes, fires
// at most every 10 ms and at the next due framework timer: it delivers the wheel movement
// gathered since the last firing as one "LWindow_Wheel", the due framework timers, and a
// cursor update. Modal windows run in modal sessions. The loop owns the menu bar, built from
// the 'TMNB' list "APP" after it took the program's main menu over. One exists at a time.
class CMacMainLoop : public CMainLoopBase {
public:
    explicit CMacMainLoop(LHandler* application);
    ~CMacMainLoop() override;

    // The main loop while one lives, else null.
    static CMacMainLoop* Get();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RunModalStep() override;
    void Quit() override;
    void RequestWindowUpdate() override;
    CRunLoopSignal* CreateWakeSignal(CRunLoopSignal::Callback callback, void* context) override;

    // Ends the modal session of the window, when it has one (the window hides or goes).
    void EndModal(const LWindow* window);
    // Gathers the movement of a wheel event; it arrives with the next firing.
    void AccumulateWheel(const plat::Event& event);
    // The cursor question with the main loop as fall-back recipient.
    void DispatchCursor();
    // Re-arms the timer for the next due framework timer (every 10 ms at most).
    void Reschedule();

    LMenuBar* MenuBar() const { return fMenuBar.get(); }
    bool IsTimerPending() const { return fTimerPending; }
    // When the loop's timer fires next (platform ms); 0 while it is not armed.
    uint64_t TimerDueMs() const { return fTimerDueMs; }
    // Set while the application asks whether it may quit; cleared when the quit message comes
    // back to the loop unrefused.
    bool quitPending = false;

    // Suspends (true) or resumes the pointer polling of the timer while a drag is tracked.
    static void SetDragActive(bool active);
    static bool IsDragActive();

private:
    struct SessionEntry {
        plat::Window* window;
        plat::ModalSession* session;
    };
    void TakeOverMainMenu();
    void ArmTimer(uint32_t delayMs);
    void TimerFired();
    void DeliverWheel();
    // Stores where the pointer is as the mouse's position: a window may have moved under a
    // pointer that stood still.
    static void ReadPointer();
    plat::ModalSession* SessionForModalWindow();

    std::unique_ptr<LMenuBar> fMenuBar;
    bool fTimerPending = false;
    std::vector<SessionEntry> fSessions;
    LRef fPool;                        // MainLoopTimerPool
    LRef fTimer;                       // the current MainLoopTimerRecord
    uint64_t fTimerDueMs = 0;
    uint32_t fWheelWindow = 0;         // window number of the first wheel event
    CLPoint fWheelLocation;
    uint32_t fWheelModifiers = 0;
    int32_t fWheelDx = 0;
    int32_t fWheelDy = 0;
    int fObserverTokens[2] = {0, 0};
};
