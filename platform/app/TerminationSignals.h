#pragma once
#include <memory>

namespace plat {

class FdSource;
class Thread;

// While it lives, SIGINT, SIGTERM and SIGHUP no longer end the process: each becomes a quit
// request that the main run loop hands to the application, so the program shuts down in
// order. The first one asks about unsaved work like the Quit command (Application::Terminate)
// when a question can be shown; a second one, or any when none can, quits without asking
// (Application::TerminateWithoutAsking). The previous handlers come back
// when it goes. Made on the main thread; one at a time.
//
// A watchdog thread guards the hand-over: when the main run loop has not taken a signal
// within kWatchdogMs (it is stuck in a long read, say), the watchdog prints one line and ends
// the process at once. Files saved so far stay whole (saves replace files atomically); the
// run's settings are not saved.
class TerminationSignals {
public:
    static constexpr int kWatchdogMs = 2000;

    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // How many signals arrived while it lived.
    int Received() const { return fReceived; }

private:
    void OnSignal();
    void StartWatchdog();
    void StopWatchdog();

    int fReadFd = -1;
    std::unique_ptr<FdSource> fSource;
    int fWatchFd = -1;   // read end of the watchdog's wake-up pipe
    std::unique_ptr<Thread> fWatchdog;
    int fReceived = 0;
};

} // namespace plat
