#include "platform/app/TerminationSignals.h"

#include "platform/app/Application.h"
#include "platform/runloop/FdSource.h"
#include "platform/runloop/RunLoop.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace plat {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> gWriteFd{-1};
std::atomic<int> gPending{0};
struct sigaction gSaved[3];

// Async-signal-safe: counts the signal and writes one byte to wake the main run loop.
void OnSignalArrived(int)
{
    gPending.fetch_add(1, std::memory_order_relaxed);
    const int fd = gWriteFd.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);
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
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &gSaved[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!fSource)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &gSaved[i], nullptr);
    fSource.reset();
    const int fd = gWriteFd.exchange(-1);
    if (fd >= 0)
        close(fd);
    close(fReadFd);
}

void TerminationSignals::OnSignal()
{
    char bytes[64];
    while (read(fReadFd, bytes, sizeof bytes) > 0) {
    }
    const int count = gPending.exchange(0);
    if (count == 0)
        return;
    fReceived += count;
    Application& app = Application::Shared();
    // The first signal asks like the Quit command. A second one, or any when nobody can
    // answer a question, must not wait for an answer: it quits without asking.
    if (fReceived > 1 || !app.CanAskQuestions())
        app.TerminateWithoutAsking();
    else
        app.Terminate();
}

} // namespace plat
