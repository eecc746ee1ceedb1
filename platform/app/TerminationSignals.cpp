#include "platform/app/TerminationSignals.h"

#include "platform/app/Application.h"
#include "platform/runloop/FdSource.h"
#include "platform/runloop/RunLoop.h"
#include "platform/threads/Thread.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> gWriteFd{-1};
std::atomic<int> gWatchWriteFd{-1};
std::atomic<int> gPending{0};
std::atomic<int> gArrived{0};   // signals that arrived while the watch runs
std::atomic<int> gTaken{0};     // signals the main run loop took
std::atomic<int> gLastSignal{0};
struct sigaction gSaved[3];

void WriteByte(const std::atomic<int>& fd)
{
    if (const int to = fd.load(std::memory_order_relaxed); to >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(to, &byte, 1);
    }
}

// Async-signal-safe: counts the signal and writes one byte to wake the main run loop and
// one to wake the watchdog.
void OnSignalArrived(int signal)
{
    gPending.fetch_add(1, std::memory_order_relaxed);
    gLastSignal.store(signal, std::memory_order_relaxed);
    gArrived.fetch_add(1, std::memory_order_release);
    WriteByte(gWriteFd);
    WriteByte(gWatchWriteFd);
}

void DrainPipe(int fd)
{
    char bytes[64];
    while (read(fd, bytes, sizeof bytes) > 0) {
    }
}

[[noreturn]] void EndUntaken()
{
    const int signal = gLastSignal.load();
    const char* name = sigabbrev_np(signal);
    std::fprintf(stderr, "sonalyx: SIG%s was not answered within %d s; the program ends now without saving its "
                 "settings\n", name ? name : "TERM", TerminationSignals::kWatchdogMs / 1000);
    std::fflush(stderr);
    _exit(128 + signal);
}

// The watchdog's body: sleeps until a signal arrives, then gives the main run loop
// kWatchdogMs to take it. Waits are counted in slices of the poll timeout, so no clock
// (a test's virtual one included) is read.
void WatchSignals(const Thread& self, int watchFd)
{
    constexpr int kSliceMs = 100;
    int waitedMs = 0;
    while (!self.StopRequested()) {
        const bool untaken = gTaken.load(std::memory_order_acquire) < gArrived.load(std::memory_order_acquire);
        if (!untaken)
            waitedMs = 0;
        else if (waitedMs >= TerminationSignals::kWatchdogMs)
            EndUntaken();
        pollfd ready{watchFd, POLLIN, 0};
        const int n = poll(&ready, 1, untaken ? kSliceMs : -1);
        if (n > 0)
            DrainPipe(watchFd);
        else if (n == 0)
            waitedMs += kSliceMs;
    }
}

} // namespace

TerminationSignals::TerminationSignals()
{
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // without a pipe the signals keep their old handling
    fReadFd = fds[0];
    gWriteFd.store(fds[1]);
    gPending.store(0);
    fSource = std::make_unique<FdSource>(RunLoop::Current(), fReadFd, kFdReadable,
                                         [this](unsigned) { OnSignal(); });
    struct sigaction action {};
    action.sa_handler = &OnSignalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    StartWatchdog();
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &gSaved[i]);
}

void TerminationSignals::StartWatchdog()
{
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // without it a stuck main loop needs SIGKILL, as before
    gArrived.store(0);
    gTaken.store(0);
    fWatchFd = fds[0];
    gWatchWriteFd.store(fds[1]);
    fWatchdog = std::make_unique<Thread>();
    const Thread& self = *fWatchdog;
    const int watchFd = fWatchFd;
    if (!fWatchdog->Start([&self, watchFd] { WatchSignals(self, watchFd); }))
        fWatchdog.reset();
}

void TerminationSignals::StopWatchdog()
{
    if (fWatchdog) {
        fWatchdog->RequestStop();
        WriteByte(gWatchWriteFd);
        fWatchdog->Join();
        fWatchdog.reset();
    }
    if (const int fd = gWatchWriteFd.exchange(-1); fd >= 0)
        close(fd);
    if (fWatchFd >= 0)
        close(fWatchFd);
    fWatchFd = -1;
}

TerminationSignals::~TerminationSignals()
{
    if (!fSource)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &gSaved[i], nullptr);
    StopWatchdog();
    fSource.reset();
    const int fd = gWriteFd.exchange(-1);
    if (fd >= 0)
        close(fd);
    close(fReadFd);
}

void TerminationSignals::OnSignal()
{
    DrainPipe(fReadFd);
    const int count = gPending.exchange(0);
    if (count == 0)
        return;
    gTaken.fetch_add(count, std::memory_order_release);
    fReceived += count;
    Application& app = Application::Shared();
    // The first signal asks like the Quit command, once the questions open now are ended as
    // cancelled. A second one, or any when nobody can answer a question, must not wait for an
    // answer: it quits without asking.
    if (fReceived > 1 || !app.CanAskQuestions())
        app.TerminateWithoutAsking();
    else
        app.TerminateOnceNoQuestionIsOpen();
}

} // namespace plat
