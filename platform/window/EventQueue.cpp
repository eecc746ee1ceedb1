#include "platform/window/EventQueue.h"
#include "platform/Clock.h"
#include "platform/runloop/RunLoopSource.h"
#include "platform/window/WindowServer.h"

#include <atomic>

namespace plat {

EventQueue& EventQueue::Shared()
{
    static EventQueue queue;
    return queue;
}

void EventQueue::Post(Ref<Event> event, bool atStart)
{
    if (!event)
        return;
    std::lock_guard lock(fMutex);
    if (atStart)
        fEvents.push_front(std::move(event));
    else
        fEvents.push_back(std::move(event));
    if (fWaiting)
        fWaiting->Signal();
}

Ref<Event> EventQueue::Take(uint64_t mask, bool dequeue)
{
    std::lock_guard lock(fMutex);
    for (auto it = fEvents.begin(); it != fEvents.end(); ++it) {
        if (!((*it)->Mask() & mask))
            continue;
        Ref<Event> event = *it;
        if (dequeue) {
            fEvents.erase(it);
            fCurrent = event;
        }
        return event;
    }
    return {};
}

Ref<Event> EventQueue::NextMatching(uint64_t mask, uint64_t timeoutMs, uint32_t mode, bool dequeue)
{
    WindowServer::Shared().PrepareToWait();
    if (Ref<Event> event = Take(mask, dequeue); event || timeoutMs == 0)
        return event;
    RunLoop& loop = RunLoop::Current();
    RunLoopSource arrival(loop, [] {}, mode);
    {
        std::lock_guard lock(fMutex);
        fWaiting = &arrival;
    }
    Ref<Event> event;
    const uint64_t deadline = NowMs() + timeoutMs;
    for (uint64_t now = NowMs(); now < deadline && !event; now = NowMs()) {
        loop.RunInMode(mode, deadline - now, true);
        WindowServer::Shared().PrepareToWait();
        event = Take(mask, dequeue);
    }
    std::lock_guard lock(fMutex);
    fWaiting = nullptr;
    return event;
}

Ref<Event> EventQueue::Current() const
{
    std::lock_guard lock(fMutex);
    return fCurrent;
}

void EventQueue::SetCurrent(Ref<Event> event)
{
    std::lock_guard lock(fMutex);
    fCurrent = std::move(event);
}

size_t EventQueue::Count() const
{
    std::lock_guard lock(fMutex);
    return fEvents.size();
}

void EventQueue::Clear()
{
    std::deque<Ref<Event>> dropped;
    Ref<Event> current;
    {
        std::lock_guard lock(fMutex);
        dropped.swap(fEvents);
        current = std::move(fCurrent);
    }
}

double EventQueue::Timestamp()
{
    // Each event gets its own time, so that code may tell events apart by their timestamps.
    static std::atomic<uint64_t> last{0};
    uint64_t now = NowUs();
    uint64_t previous = last.load();
    do {
        if (now <= previous)
            now = previous + 1;
    } while (!last.compare_exchange_weak(previous, now));
    return double(now) / 1e6;
}

int64_t EventQueue::NextEventNumber()
{
    std::lock_guard lock(fMutex);
    return ++fEventNumber;
}

} // namespace plat
