#pragma once
#include <atomic>
#include <functional>
#include <memory>

namespace plat {

enum class SchedPolicy { Other, Fifo, RoundRobin };

// A scheduling policy and a priority within it.
struct ThreadPriority {
    SchedPolicy policy = SchedPolicy::Other;
    int priority = 0;
};

// The calling thread's scheduling; false when the system does not tell.
[[nodiscard]] bool CurrentThreadPriority(ThreadPriority& out);
// The priority range of a policy; -1 when the system does not tell.
int MinPriority(SchedPolicy policy);
int MaxPriority(SchedPolicy policy);

// A joinable worker thread. It is never cancelled: its owner asks it to stop
// (RequestStop, plus whatever wake-up the body waits on) and joins it. Destroying a
// started thread joins it.
class Thread {
public:
    Thread();
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the body with the default scheduling. False when no thread could be made.
    [[nodiscard]] bool Start(std::function<void()> body);
    // Starts the body with the wanted scheduling. When the system refuses it (real-time
    // scheduling for an ordinary user), the thread starts with the default scheduling.
    [[nodiscard]] bool Start(std::function<void()> body, const ThreadPriority& wanted);

    // Asks the body to end; the body polls StopRequested.
    void RequestStop() { fStop.store(true, std::memory_order_release); }
    bool StopRequested() const { return fStop.load(std::memory_order_acquire); }

    // Waits for the body to return. Nothing when not started or already joined.
    void Join();
    bool Started() const { return fImpl != nullptr; }
    // Whether the thread got the scheduling it asked for.
    bool GotWantedPriority() const { return fGotWanted; }
    // The scheduling the thread runs with (the default when never started).
    ThreadPriority Granted() const { return fGranted; }

private:
    struct Impl;
    bool Launch(std::function<void()> body, const ThreadPriority* wanted);

    std::unique_ptr<Impl> fImpl;
    std::atomic<bool> fStop{false};
    bool fGotWanted = false;
    ThreadPriority fGranted;
};

} // namespace plat
