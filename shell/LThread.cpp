#include "shell/LThread.h"

#include <climits>

plat::ThreadPriority LThread::PriorityFor(const plat::ThreadPriority& caller, int delta)
{
    plat::ThreadPriority wanted;
    if (delta == kHighest) {
        wanted = {plat::SchedPolicy::RoundRobin, INT_MAX};
    } else {
        wanted.policy = caller.policy;
        const long sum = long(caller.priority) + delta;
        wanted.priority = sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : int(sum);
    }
    const int low = plat::MinPriority(wanted.policy);
    const int high = plat::MaxPriority(wanted.policy);
    if (low >= 0 && wanted.priority <= low)
        wanted.priority = low;
    if (high >= 0 && wanted.priority >= high)
        wanted.priority = high;
    return wanted;
}

bool LThread::Start(void* argument, Function function, int delta)
{
    fArgument = argument;
    fFunction = function;
    plat::ThreadPriority caller;
    if (!plat::CurrentThreadPriority(caller))
        return fThread.Start(this, Entry);
    const plat::ThreadPriority wanted = PriorityFor(caller, delta);
    return fThread.Start(this, Entry, &wanted);
}

void LThread::Entry(void* self)
{
    auto* thread = static_cast<LThread*>(self);
    thread->fFunction(thread->fArgument);
}
