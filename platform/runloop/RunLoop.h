#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace plat {

namespace detail {
struct RunLoopEntry;
}

// Run-loop modes. Timers and sources name the modes they run in; a loop run in one mode
// serves only what belongs to it.
enum RunLoopMode : uint32_t {
    kModeDefault = 1u << 0,
    kModeModalPanel = 1u << 1,
    kModeEventTracking = 1u << 2,
    kModeCommon = kModeDefault | kModeModalPanel | kModeEventTracking,
};

enum class RunResult {
    Stopped,       // Stop was called
    TimedOut,      // the time given ran out
    HandledSource, // a source ran and the caller asked to return after one
};

// A thread's event loop: re-armable timers, signal sources that any thread may signal,
// descriptor sources (poll), and a wake-up (eventfd) that ends a wait early. Time is read
// through the platform clock only, so tests drive it with a virtual clock.
//
// Timers, sources and descriptor sources are separate objects attached to a loop
// (RunLoopTimer, RunLoopSource, FdSource); they must be destroyed before their loop.
class RunLoop {
public:
    RunLoop();
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // The calling thread's loop, made on first use; it lives as long as the thread.
    static RunLoop& Current();

    // Serves the mode until Stop, until timeoutMs have passed on the platform clock, or,
    // when asked, until one source or descriptor callback ran (timers do not count).
    RunResult RunInMode(uint32_t mode, uint64_t timeoutMs, bool returnAfterSourceHandled);
    // Serves the default mode until Stop.
    void Run();
    // Makes the running (or the next) RunInMode return Stopped. Any thread.
    void Stop();
    // Ends the current wait so that the loop looks at its timers and sources again. Any thread.
    void WakeUp();

    // Runs, without waiting, everything of the mode that is ready now: due timers,
    // signalled sources and ready descriptors, once each. Returns the callbacks run.
    size_t RunPending(uint32_t mode);
    // Fire time (platform ms) of the earliest armed timer of the mode.
    std::optional<uint64_t> NextFireTime(uint32_t mode) const;
    // Work that must be done before the loop sleeps (painting what timers and sources changed,
    // reading input a connection already holds): run on the loop's thread each time a pass
    // is about to wait. What it signals or arms is served before the wait. Null removes it.
    // Set from the loop's own thread.
    void SetBeforeWait(std::function<void()> work);

    // Client interface of RunLoopTimer, RunLoopSource and FdSource.
    void Attach(const std::shared_ptr<detail::RunLoopEntry>& entry);
    // Detaches an entry; when another thread is running its callback, waits until it ends.
    void Detach(const std::shared_ptr<detail::RunLoopEntry>& entry);
    void ArmTimer(detail::RunLoopEntry& entry, uint64_t fireAtMs);
    void DisarmTimer(detail::RunLoopEntry& entry);
    bool TimerArmed(const detail::RunLoopEntry& entry) const;
    void SignalSource(detail::RunLoopEntry& entry);
    void SetFdEvents(detail::RunLoopEntry& entry, unsigned events);

private:
    struct Impl;
    struct Pass;
    size_t RunPass(uint32_t mode, std::optional<uint64_t> deadlineUs, size_t* sourcesRun);
    // Runs the before-wait work when a pass of the mode with this deadline would sleep.
    void BeforeWait(uint32_t mode, uint64_t deadlineUs);

    std::unique_ptr<Impl> fImpl;
    std::atomic<bool> fStopRequested{false};
};

} // namespace plat
