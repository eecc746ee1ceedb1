#include "platform/runloop/RunLoop.h"

#include "platform/Clock.h"
#include "platform/runloop/RunLoopEntry.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace plat {

using detail::RunLoopEntry;
using EntryRef = std::shared_ptr<RunLoopEntry>;

namespace {

constexpr uint64_t kForever = std::numeric_limits<uint64_t>::max();

bool InMode(const RunLoopEntry& entry, uint32_t mode) { return (entry.modes & mode) != 0; }

short PollEvents(unsigned events)
{
    short out = 0;
    if (events & 1u)
        out |= POLLIN;
    if (events & 2u)
        out |= POLLOUT;
    return out;
}

unsigned ReadyEvents(short revents)
{
    unsigned out = 0;
    if (revents & POLLIN)
        out |= 1u;
    if (revents & POLLOUT)
        out |= 2u;
    if (revents & (POLLERR | POLLNVAL))
        out |= 4u;
    if (revents & POLLHUP)
        out |= 8u;
    return out;
}

// One callback to run after the loop's mutex is released.
struct ReadyCall {
    EntryRef entry;
    unsigned events = 0;
};

} // namespace

// The containers of one pass, kept between passes so that a pass allocates nothing once they
// have grown. A nested pass (a callback running the loop again) takes another set.
struct PassScratch {
    std::vector<ReadyCall> ready;
    std::vector<pollfd> fds;
    std::vector<EntryRef> fdEntries; // kept alive while the mutex is released

    void Clear()
    {
        ready.clear();
        fds.clear();
        fdEntries.clear();
    }
};

struct RunLoop::Impl {
    mutable std::mutex mutex;
    std::vector<std::unique_ptr<PassScratch>> spareScratch; // guarded by the mutex
    std::condition_variable callbackEnded;
    std::vector<EntryRef> entries;
    int wakeFd = -1;
    bool sleeping = false;    // a pass is (about to be) blocked in poll
    bool wakePending = false; // a wake-up came while no pass slept: do not sleep next time
    uint64_t nextArmOrder = 0;
    std::thread::id runner;   // the thread running passes
    std::function<void()> beforeWait; // the loop's thread only

    // Ends a wait in progress, or keeps the next one from starting. Mutex held. True when
    // the caller must WriteWake once it released the mutex: the woken thread's first step
    // is to take it.
    [[nodiscard]] bool WakeLocked()
    {
        if (runner == std::this_thread::get_id())
            return false; // the loop's own thread is not waiting
        if (sleeping) {
            sleeping = false;
            return true;
        }
        wakePending = true;
        return false;
    }

    // A late write only costs the loop one extra pass.
    void WriteWake() const
    {
        const uint64_t one = 1;
        ssize_t written = write(wakeFd, &one, sizeof one);
        (void)written; // a full counter already means "wake"
    }

    void DrainWakeFd() const
    {
        uint64_t count = 0;
        ssize_t got = read(wakeFd, &count, sizeof count);
        (void)got; // nonblocking: nothing to read is fine
    }

    // Whether a pass of the mode that may wait until deadlineUs would sleep now.
    bool WouldSleepLocked(uint32_t mode, uint64_t deadlineUs) const
    {
        const uint64_t nowUs = NowUs();
        if (wakePending || AnyReadyLocked(mode, nowUs / 1000))
            return false;
        const uint64_t nextMs = NextFireMsLocked(mode);
        return deadlineUs > nowUs && (nextMs >= kForever / 1000 || nextMs * 1000 > nowUs);
    }

    bool AnyReadyLocked(uint32_t mode, uint64_t nowMs) const
    {
        for (const EntryRef& e : entries) {
            if (!InMode(*e, mode))
                continue;
            if (e->kind == RunLoopEntry::Kind::Source && e->signalled)
                return true;
            if (e->kind == RunLoopEntry::Kind::Timer && e->armed && e->fireAtMs <= nowMs)
                return true;
        }
        return false;
    }

    uint64_t NextFireMsLocked(uint32_t mode) const
    {
        uint64_t next = kForever;
        for (const EntryRef& e : entries)
            if (e->kind == RunLoopEntry::Kind::Timer && e->armed && InMode(*e, mode))
                next = std::min(next, e->fireAtMs);
        return next;
    }

    void CollectReadyLocked(uint32_t mode, uint64_t nowMs, std::vector<ReadyCall>& out)
    {
        for (const EntryRef& e : entries) {
            if (!InMode(*e, mode))
                continue;
            if (e->kind == RunLoopEntry::Kind::Timer && e->armed && e->fireAtMs <= nowMs) {
                e->armed = false;
                out.push_back({e, 0});
            }
        }
        std::sort(out.begin(), out.end(), [](const ReadyCall& a, const ReadyCall& b) {
            return a.entry->fireAtMs != b.entry->fireAtMs ? a.entry->fireAtMs < b.entry->fireAtMs
                                                          : a.entry->armOrder < b.entry->armOrder;
        });
        for (const EntryRef& e : entries) {
            if (!InMode(*e, mode))
                continue;
            if (e->kind == RunLoopEntry::Kind::Source && e->signalled) {
                e->signalled = false;
                out.push_back({e, 0});
            } else if (e->kind == RunLoopEntry::Kind::Fd && e->readyEvents != 0) {
                out.push_back({e, e->readyEvents});
                e->readyEvents = 0;
            }
        }
    }

    std::unique_ptr<PassScratch> TakeScratch()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (spareScratch.empty())
            return std::make_unique<PassScratch>();
        std::unique_ptr<PassScratch> scratch = std::move(spareScratch.back());
        spareScratch.pop_back();
        return scratch;
    }

    void ReturnScratch(std::unique_ptr<PassScratch> scratch)
    {
        scratch->Clear(); // drops the entries' handles before the mutex is taken
        std::lock_guard<std::mutex> lock(mutex);
        spareScratch.push_back(std::move(scratch));
    }

    // Runs one callback unless its entry was detached meanwhile.
    void Run(const ReadyCall& call)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!call.entry->attached)
                return;
            ++call.entry->running;
        }
        if (call.entry->kind == RunLoopEntry::Kind::Fd)
            call.entry->onReady(call.events);
        else
            call.entry->perform();
        std::lock_guard<std::mutex> lock(mutex);
        if (--call.entry->running == 0 && !call.entry->attached)
            callbackEnded.notify_all();
    }
};

RunLoop::RunLoop() : fImpl(std::make_unique<Impl>())
{
    fImpl->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

RunLoop::~RunLoop()
{
    for (const EntryRef& e : fImpl->entries)
        e->attached = false;
    if (fImpl->wakeFd >= 0)
        close(fImpl->wakeFd);
}

RunLoop& RunLoop::Current()
{
    thread_local std::unique_ptr<RunLoop> loop = std::make_unique<RunLoop>();
    return *loop;
}

void RunLoop::SetBeforeWait(std::function<void()> work)
{
    fImpl->beforeWait = std::move(work);
}

void RunLoop::BeforeWait(uint32_t mode, uint64_t deadlineUs)
{
    Impl& impl = *fImpl;
    if (!impl.beforeWait)
        return;
    {
        std::lock_guard<std::mutex> lock(impl.mutex);
        if (!impl.WouldSleepLocked(mode, deadlineUs))
            return;
    }
    // A copy: the work may replace itself, or run a loop of its own (a question the window
    // manager's close request opens), whose waits do the same work first.
    const std::function<void()> work = impl.beforeWait;
    work();
}

size_t RunLoop::RunPass(uint32_t mode, std::optional<uint64_t> deadlineUs, size_t* sourcesRun)
{
    Impl& impl = *fImpl;
    if (deadlineUs)
        BeforeWait(mode, *deadlineUs);
    std::unique_ptr<PassScratch> scratch = impl.TakeScratch();
    std::vector<ReadyCall>& ready = scratch->ready;
    std::vector<pollfd>& fds = scratch->fds;
    std::vector<EntryRef>& fdEntries = scratch->fdEntries;
    {
        std::unique_lock<std::mutex> lock(impl.mutex);
        impl.runner = std::this_thread::get_id();
        const uint64_t nowUs = NowUs();
        const bool mayWait = deadlineUs && !impl.wakePending && !impl.AnyReadyLocked(mode, nowUs / 1000);
        impl.wakePending = false;
        uint64_t waitUntilUs = 0;
        if (mayWait) {
            const uint64_t nextMs = impl.NextFireMsLocked(mode);
            const uint64_t nextUs = nextMs >= kForever / 1000 ? kForever : nextMs * 1000;
            waitUntilUs = std::min(*deadlineUs, nextUs);
        }
        fds.push_back({impl.wakeFd, POLLIN, 0});
        for (const EntryRef& e : impl.entries) {
            if (e->kind == RunLoopEntry::Kind::Fd && InMode(*e, mode) && e->events != 0) {
                fds.push_back({e->fd, PollEvents(e->events), 0});
                fdEntries.push_back(e);
            }
        }
        const bool wait = mayWait && waitUntilUs > nowUs;
        if (wait || fds.size() > 1) {
            timespec timeout{};
            timespec* timeoutArg = &timeout;
            if (wait && waitUntilUs == kForever) {
                timeoutArg = nullptr;
            } else if (wait) {
                const uint64_t us = waitUntilUs - nowUs;
                timeout.tv_sec = time_t(us / 1000000u);
                timeout.tv_nsec = long(us % 1000000u) * 1000L;
            }
            impl.sleeping = wait;
            lock.unlock();
            const int n = ppoll(fds.data(), fds.size(), timeoutArg, nullptr);
            lock.lock();
            impl.sleeping = false;
            if (n > 0) {
                if (fds[0].revents & POLLIN)
                    impl.DrainWakeFd();
                for (size_t i = 1; i < fds.size(); ++i)
                    if (fds[i].revents != 0 && fdEntries[i - 1]->attached)
                        fdEntries[i - 1]->readyEvents = ReadyEvents(fds[i].revents);
            }
        }
        impl.CollectReadyLocked(mode, NowMs(), ready);
    }
    size_t sources = 0;
    for (const ReadyCall& call : ready) {
        impl.Run(call);
        if (call.entry->kind != RunLoopEntry::Kind::Timer)
            ++sources;
    }
    if (sourcesRun)
        *sourcesRun = sources;
    const size_t ran = ready.size();
    impl.ReturnScratch(std::move(scratch));
    return ran;
}

RunResult RunLoop::RunInMode(uint32_t mode, uint64_t timeoutMs, bool returnAfterSourceHandled)
{
    const uint64_t startUs = NowUs();
    const uint64_t deadlineUs =
        timeoutMs >= (kForever - startUs) / 1000 ? kForever : startUs + timeoutMs * 1000;
    for (;;) {
        if (fStopRequested.exchange(false))
            return RunResult::Stopped;
        size_t sources = 0;
        RunPass(mode, deadlineUs, &sources);
        if (returnAfterSourceHandled && sources > 0)
            return RunResult::HandledSource;
        if (fStopRequested.exchange(false))
            return RunResult::Stopped;
        if (NowUs() >= deadlineUs)
            return RunResult::TimedOut;
    }
}

void RunLoop::Run()
{
    while (RunInMode(kModeDefault, kForever, false) != RunResult::Stopped) {
    }
}

void RunLoop::Stop()
{
    fStopRequested.store(true);
    WakeUp();
}

void RunLoop::WakeUp()
{
    bool write;
    {
        std::lock_guard<std::mutex> lock(fImpl->mutex);
        write = fImpl->WakeLocked();
    }
    if (write)
        fImpl->WriteWake();
}

size_t RunLoop::RunPending(uint32_t mode) { return RunPass(mode, std::nullopt, nullptr); }

std::optional<uint64_t> RunLoop::NextFireTime(uint32_t mode) const
{
    std::lock_guard<std::mutex> lock(fImpl->mutex);
    const uint64_t next = fImpl->NextFireMsLocked(mode);
    if (next == kForever)
        return std::nullopt;
    return next;
}

void RunLoop::Attach(const EntryRef& entry)
{
    bool write;
    {
        std::lock_guard<std::mutex> lock(fImpl->mutex);
        entry->attached = true;
        fImpl->entries.push_back(entry);
        write = fImpl->WakeLocked();
    }
    if (write)
        fImpl->WriteWake();
}

void RunLoop::Detach(const EntryRef& entry)
{
    std::unique_lock<std::mutex> lock(fImpl->mutex);
    if (!entry->attached)
        return;
    entry->attached = false;
    entry->armed = false;
    entry->signalled = false;
    auto& entries = fImpl->entries;
    entries.erase(std::remove(entries.begin(), entries.end(), entry), entries.end());
    // A callback running on the loop's own thread is the caller itself (it detaches its
    // own entry from inside the callback): waiting would never end.
    if (fImpl->runner == std::this_thread::get_id())
        return;
    fImpl->callbackEnded.wait(lock, [&] { return entry->running == 0; });
}

void RunLoop::ArmTimer(RunLoopEntry& entry, uint64_t fireAtMs)
{
    bool write;
    {
        std::lock_guard<std::mutex> lock(fImpl->mutex);
        if (!entry.attached)
            return;
        entry.armed = true;
        entry.fireAtMs = fireAtMs;
        entry.armOrder = fImpl->nextArmOrder++;
        write = fImpl->WakeLocked();
    }
    if (write)
        fImpl->WriteWake();
}

void RunLoop::DisarmTimer(RunLoopEntry& entry)
{
    std::lock_guard<std::mutex> lock(fImpl->mutex);
    entry.armed = false;
}

bool RunLoop::TimerArmed(const RunLoopEntry& entry) const
{
    std::lock_guard<std::mutex> lock(fImpl->mutex);
    return entry.armed;
}

void RunLoop::SignalSource(RunLoopEntry& entry)
{
    bool write;
    {
        std::lock_guard<std::mutex> lock(fImpl->mutex);
        if (!entry.attached || entry.signalled)
            return;
        entry.signalled = true;
        write = fImpl->WakeLocked();
    }
    if (write)
        fImpl->WriteWake();
}

void RunLoop::SetFdEvents(RunLoopEntry& entry, unsigned events)
{
    bool write;
    {
        std::lock_guard<std::mutex> lock(fImpl->mutex);
        entry.events = events;
        entry.readyEvents &= events;
        write = fImpl->WakeLocked();
    }
    if (write)
        fImpl->WriteWake();
}

} // namespace plat
