#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"

#include <cstdint>

// The main thread's timer. Its owner (the parent handler) receives {"LTimer_Expire",
// timer, owner} when it expires. Every timer sits in one of two global lists: the armed
// list, ordered by due time, and the blocked list of due timers that must wait because a
// modal dialog or window runs or the application is inactive. Times are 32-bit
// milliseconds of the event clock compared as signed differences, so the wrap of the
// clock is harmless. Main thread only: nothing here is locked.
class LTimer : public LHandler, public SSLink {
public:
    static const char* msgExpire;

    // Mode bits: when the timer may fire (see the blocking rules in LTimer.cpp).
    static constexpr int32_t kModeModal = 1;      // belongs to the modal context
    static constexpr int32_t kModeActiveOnly = 2; // fires only while the application is active
    static constexpr int32_t kModeWake = 4;       // start wakes the platform loop (no effect here)

    // The longest delay: longer ones would break the signed comparison of due times.
    static constexpr uint32_t kMaxDelay = 0x7FFFFFFF;

    explicit LTimer(LHandler* owner);
    ~LTimer() override;

    // One-shot: due in ms (at most kMaxDelay) with the given mode.
    void Start(uint32_t ms, int32_t mode = 0);
    // Periodic with mode 0: due every period ms (at most kMaxDelay).
    void StartPeriodic(uint32_t period);
    void Stop();

    // Armed or waiting in the blocked list.
    bool IsArmed() const { return IsLinked(); }
    int32_t Mode() const { return fMode; }
    uint32_t Due() const { return fDue; }
    uint32_t Period() const { return fPeriod; }

    // One due timer's message, or the empty message when none may fire now. The main loop
    // calls it again and sends each message until it gets the empty one.
    // modal: innermost modal handler (or null); modalWindowOwner: owner of the front-most
    // modal window (or null); active: whether the application is active.
    static LMessage DispatchDue(uint32_t now, const LHandler* modal, const LHandler* modalWindowOwner,
                                bool active);
    // How long the main loop may wait: 0 when a blocked timer is free again, kMaxDelay with
    // no armed timer, else the time to the first due time (never negative).
    static uint32_t MsUntilNext(const LHandler* modal, const LHandler* modalWindowOwner, bool active);

    // Sleeps until start + ms on the event clock (nothing when that is less than 1 ms away).
    static void WaitUntil(uint32_t start, uint32_t ms);
    static void Delay(uint32_t ms);

    // The main loop re-arms its platform timer after every start; it registers here.
    using RescheduleHook = void (*)(void* context);
    static void SetRescheduleHook(RescheduleHook hook, void* context);

private:
    bool IsBlocked(const LHandler* modal, const LHandler* modalWindowOwner, bool active) const;
    bool IsInside(const LHandler* handler) const;
    void Unlink();
    void InsertArmed(uint32_t now);
    LMessage Fire(uint32_t now);
    static void Reschedule();

    int32_t fMode = 0;
    uint32_t fDue = 0;
    uint32_t fPeriod = 0;
};
