// The desktop backend on an X server (run under scripts/with-xvfb): presenting a window's
// image, whole and a small dirty rectangle; the delay from an XTest key press to the model's
// key event; the CPU an idle program uses.
#include "platform/app/Application.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/DesktopStart.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/sdl/XServerDriver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

bool DesktopReady()
{
    static const bool ready = [] {
        unsetenv("SONALYX_HEADLESS");
        return plat::StartDesktop().kind == plat::DesktopKind::Desktop;
    }();
    return ready;
}

// A shown, painted window of the given content size.
plat::Ref<plat::Window> ShownWindow(double width, double height)
{
    plat::Ref<plat::Window> window = plat::Window::Make(plat::Rect{40, 40, width, height}, plat::kStyleTitled);
    window->MakeKeyAndOrderFront();
    plat::DisplayCycle::Display(*window);
    for (int i = 0; i < 20; ++i)
        plat::EventQueue::Shared().NextMatching(plat::kEventMaskAny, 10, plat::kModeDefault, true);
    return window;
}

void Present(benchmark::State& state, const std::vector<plat::PixelRect>& dirty)
{
    if (!DesktopReady()) {
        state.SkipWithError("needs an X display: run under scripts/with-xvfb");
        return;
    }
    plat::Ref<plat::Window> window = ShownWindow(1280, 800);
    plat::WindowBackend& backend = plat::WindowServer::Shared().Backend();
    for (auto _ : state)
        backend.Present(*window, *window->BackingImage(), dirty);
    window->OrderOut();
}

void BM_PresentWholeWindow1280x800(benchmark::State& state)
{
    Present(state, {});
}
BENCHMARK(BM_PresentWholeWindow1280x800)->Unit(benchmark::kMicrosecond);

void BM_PresentDirtyRect100x100(benchmark::State& state)
{
    Present(state, {plat::PixelRect{600, 350, 100, 100}});
}
BENCHMARK(BM_PresentDirtyRect100x100)->Unit(benchmark::kMicrosecond);

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

void BM_KeyPressToModelEvent(benchmark::State& state)
{
    if (!DesktopReady()) {
        state.SkipWithError("needs an X display: run under scripts/with-xvfb");
        return;
    }
    plat::Ref<plat::Window> window = ShownWindow(300, 200);
    plat::XServerDriver x;
    std::vector<double> delays;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        x.Tap("a");
        plat::Ref<plat::Event> event;
        while (!event || event->type != plat::EventType::KeyDown)
            event = plat::EventQueue::Shared().NextMatching(plat::kEventMaskAny, 1000, plat::kModeDefault, true);
        delays.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.SetIterationTime(delays.back() / 1000);
        plat::EventQueue::Shared().NextMatching(plat::EventMask(plat::EventType::KeyUp), 1000, plat::kModeDefault, true);
    }
    state.counters["median_ms"] = Percentile(delays, 0.5);
    state.counters["p99_ms"] = Percentile(delays, 0.99);
    window->OrderOut();
}
BENCHMARK(BM_KeyPressToModelEvent)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

// CPU seconds (user and system) a process used so far; -1 when it cannot be read.
double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return double(user + system) / double(sysconf(_SC_CLK_TCK));
}

// The program, started beside the benchmarks, left alone on the desktop for 20 s.
void BM_IdleProgramCpu20s(benchmark::State& state)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs an X display: run under scripts/with-xvfb");
        return;
    }
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string program = std::string(self, size_t(std::max<ssize_t>(n, 0)));
    program = program.substr(0, program.rfind('/')) + "/../app/sonalyx";
    for (auto _ : state) {
        pid_t pid = -1;
        char* argv[] = {program.data(), nullptr};
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(3)); // started and settled
        const double before = CpuSeconds(pid);
        std::this_thread::sleep_for(std::chrono::seconds(20));
        const double used = CpuSeconds(pid) - before;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        state.counters["cpu_percent"] = used / 20.0 * 100.0;
    }
}
BENCHMARK(BM_IdleProgramCpu20s)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
