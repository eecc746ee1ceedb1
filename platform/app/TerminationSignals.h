#pragma once
#include <memory>

namespace plat {

class FdSource;

// While it lives, SIGINT, SIGTERM and SIGHUP no longer end the process: each becomes a quit
// request that the main run loop hands to the application, so the program shuts down in
// order. The first one asks about unsaved work like the Quit command (Application::Terminate)
// when a question can be shown; a second one, or any when none can, quits without asking
// (Application::TerminateWithoutAsking). The previous handlers come back
// when it goes. Made on the main thread; one at a time.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // How many signals arrived while it lived.
    int Received() const { return fReceived; }

private:
    void OnSignal();

    int fReadFd = -1;
    std::unique_ptr<FdSource> fSource;
    int fReceived = 0;
};

} // namespace plat
