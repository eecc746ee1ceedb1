#include "ui/LTimer.h"

#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

const char* LTimer::msgExpire = "LTimer_Expire";

namespace {

// How a blocking cell decides.
enum class Rule : uint8_t {
    Free,     // may fire
    WRule,    // free without a modal window, else only inside the modal window's owner
    Blocked,  // must wait
    Inactive, // must wait while the application is inactive
};

constexpr Rule F = Rule::Free;
constexpr Rule W = Rule::WRule;
constexpr Rule B = Rule::Blocked;
constexpr Rule I = Rule::Inactive;

// Rows: the dispatch situation; columns: the timer's mode 0..7.
constexpr Rule kRules[4][8] = {
    /* no modal handler, active   */ {F, W, F, W, W, W, F, W},
    /* no modal handler, inactive */ {F, W, B, B, W, W, B, B},
    /* modal, owner inside it     */ {F, F, I, I, F, F, I, I},
    /* modal, owner outside it    */ {F, B, I, B, F, B, I, B},
};

LList& ArmedList()
{
    static LList list;
    return list;
}

LList& BlockedList()
{
    static LList list;
    return list;
}

LTimer::RescheduleHook gRescheduleHook = nullptr;
void* gRescheduleContext = nullptr;

uint32_t ClampDelay(uint32_t ms) { return ms > LTimer::kMaxDelay ? LTimer::kMaxDelay : ms; }

LTimer* AsTimer(SSLink* link) { return static_cast<LTimer*>(link); }

} // namespace

LTimer::LTimer(LHandler* owner) : LHandler(owner) {}

LTimer::~LTimer() { Unlink(); }

void LTimer::Start(uint32_t ms, int32_t mode)
{
    Unlink();
    fMode = mode;
    fPeriod = 0;
    const uint32_t now = LTicks::Now();
    fDue = now + ClampDelay(ms);
    InsertArmed(now);
    // Modes with the wake bit ask the platform loop to wake; the main loop's reschedule
    // below already makes it look at the new due time, so there is nothing more to do.
    Reschedule();
}

void LTimer::StartPeriodic(uint32_t period)
{
    Unlink();
    fMode = 0;
    fPeriod = ClampDelay(period);
    const uint32_t now = LTicks::Now();
    fDue = now + fPeriod;
    InsertArmed(now);
    Reschedule();
}

void LTimer::Stop() { Unlink(); }

void LTimer::Unlink()
{
    if (!IsLinked())
        return;
    if (!ArmedList().Remove(this))
        BlockedList().Remove(this);
}

void LTimer::InsertArmed(uint32_t now)
{
    // After every timer due no later than this one: equal due times keep their start order.
    const int32_t mine = LTicks::Diff(fDue, now);
    SSLink* after = nullptr;
    for (SSLink* link : ArmedList()) {
        if (LTicks::Diff(AsTimer(link)->fDue, now) > mine)
            break;
        after = link;
    }
    ArmedList().InsertAfter(this, after);
}

bool LTimer::IsInside(const LHandler* handler) const
{
    if (handler == this)
        return true;
    for (const LHandler* h = Parent(); h; h = h->Parent())
        if (h == handler)
            return true;
    return false;
}

bool LTimer::IsBlocked(const LHandler* modal, const LHandler* modalWindowOwner, bool active) const
{
    int row;
    if (!modal)
        row = active ? 0 : 1;
    else
        row = IsInside(modal) ? 2 : 3;
    switch (kRules[row][fMode & 7]) {
    case Rule::Free: return false;
    case Rule::Blocked: return true;
    case Rule::Inactive: return !active;
    case Rule::WRule: return modalWindowOwner && !IsInside(modalWindowOwner);
    }
    return false;
}

LMessage LTimer::Fire(uint32_t now)
{
    if (fPeriod != 0) {
        // Re-arm from the schedule; after a long delay from now, so late timers never burst.
        const uint32_t next = fDue + fPeriod;
        fDue = LTicks::Diff(next, now) > 0 ? next : now + fPeriod;
        InsertArmed(now);
    }
    return LMessage(msgExpire, this, Parent());
}

LMessage LTimer::DispatchDue(uint32_t now, const LHandler* modal, const LHandler* modalWindowOwner, bool active)
{
    for (SSLink* link : BlockedList()) {
        LTimer* timer = AsTimer(link);
        if (!timer->IsBlocked(modal, modalWindowOwner, active)) {
            BlockedList().Remove(timer);
            return timer->Fire(now);
        }
    }
    while (SSLink* head = ArmedList().Head()) {
        LTimer* timer = AsTimer(head);
        if (LTicks::Diff(now, timer->fDue) < 0)
            break;
        ArmedList().Remove(timer);
        if (!timer->IsBlocked(modal, modalWindowOwner, active))
            return timer->Fire(now);
        BlockedList().PushBack(timer);
    }
    return LMessage();
}

uint32_t LTimer::MsUntilNext(const LHandler* modal, const LHandler* modalWindowOwner, bool active)
{
    for (SSLink* link : BlockedList())
        if (!AsTimer(link)->IsBlocked(modal, modalWindowOwner, active))
            return 0;
    SSLink* head = ArmedList().Head();
    if (!head)
        return kMaxDelay;
    const int32_t left = LTicks::Diff(AsTimer(head)->fDue, LTicks::Now());
    return left > 0 ? uint32_t(left) : 0;
}

void LTimer::WaitUntil(uint32_t start, uint32_t ms)
{
    const int32_t left = LTicks::Diff(start + ms, LTicks::Now());
    if (left >= 1)
        plat::SleepUs(uint64_t(left) * 1000);
}

void LTimer::Delay(uint32_t ms) { WaitUntil(LTicks::Now(), ms); }

void LTimer::SetRescheduleHook(RescheduleHook hook, void* context)
{
    gRescheduleHook = hook;
    gRescheduleContext = context;
}

void LTimer::Reschedule()
{
    if (gRescheduleHook)
        gRescheduleHook(gRescheduleContext);
}
