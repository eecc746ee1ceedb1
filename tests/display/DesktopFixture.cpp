#include "tests/display/DesktopFixture.h"
#include "platform/app/Application.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/MenuTracking.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/DesktopStart.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace plat;

namespace {

bool gDesktop = false;

} // namespace

void DesktopTest::SetUpTestSuite()
{
    unsetenv("SONALYX_HEADLESS");
    gDesktop = StartDesktop().kind == DesktopKind::Desktop;
}

void DesktopTest::TearDownTestSuite()
{
    StopDesktop();
}

void DesktopTest::SetUp()
{
    ASSERT_TRUE(gDesktop) << "no X display: run the display tests with scripts/with-xvfb";
    ASSERT_TRUE(fX.IsUsable()) << "the X server offers no XTest";
    Application::Shared().Reset();
    Application::Shared().SetActive(true);
    // The windows under test live in this process: they go on while a gesture takes its time.
    fX.SetWaiter([](int ms) { RunUntil([] { return false; }, ms); });
}

void DesktopTest::TearDown()
{
    MenuTracking::Shared().Close();
    fX.Release(1);
    for (auto& window : fWindows)
        window->OrderOut();
    fWindows.clear();
    SetMainMenu(nullptr);
    Application::Shared().SetDelegate(nullptr);
    RunUntil([] { return false; }, 100);
    EventQueue::Shared().Clear();
}

bool DesktopTest::RunUntil(const std::function<bool()>& done, int limitMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        if (Ref<Event> event = Application::NextEvent(kEventMaskAny, 20, kModeDefault, true))
            Application::Shared().SendEvent(*event);
    }
    return true;
}

Ref<Window> DesktopTest::ShowDocument(const Rect& content, const std::string& title)
{
    Ref<Window> window =
        Window::Make(content, kStyleTitled | kStyleClosable | kStyleMiniaturizable | kStyleResizable);
    window->SetTitle(title);
    window->SetShowsMenuBar(true);
    window->MakeKeyAndOrderFront();
    fWindows.push_back(window);
    return window;
}

namespace {

// The window's area on the screen: its content with the menu bar above.
Rect ShownArea(const Window& window)
{
    Rect area = window.ContentRect();
    area.height += window.MenuBarHeight();
    return area;
}

// Whether a pixel of the window (top-left origin) lies under a window in front of it.
bool Covered(const Window& window, int x, int y)
{
    const Rect area = ShownArea(window);
    const Point screen{area.x + x + 0.5, area.y + area.height - y - 0.5};
    for (uint32_t number : WindowServer::Shared().WindowNumbers()) {
        const Window* other = WindowServer::Shared().WithNumber(number);
        if (other == &window)
            return false;
        if (other && Contains(ShownArea(*other), screen))
            return true;
    }
    return false;
}

} // namespace

int DesktopTest::ScreenDifference(const Window& window)
{
    const Bitmap* image = window.BackingImage();
    if (!image || !window.IsVisible())
        return -1;
    const Bitmap shot = fX.Grab(ShownArea(window));
    if (shot.Width() != image->Width() || shot.Height() != image->Height())
        return -1;
    int differ = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if ((shot.Pixel(x, y) & 0xFFFFFF) != (image->Pixel(x, y) & 0xFFFFFF) && !Covered(window, x, y))
                ++differ;
    return differ;
}

bool DesktopTest::ScreenShows(const std::vector<const Window*>& windows)
{
    return RunUntil([&] {
        for (const Window* window : windows)
            if (ScreenDifference(*window) != 0)
                return false;
        return true;
    });
}

int DesktopTest::RunTool(std::vector<std::string> argv, std::string* output, const std::string& input)
{
    int out[2], in[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    std::vector<char*> args;
    for (auto& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = -1;
    const bool started = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(in[0]);
    if (started && !input.empty())
        (void)!write(in[1], input.data(), input.size());
    close(in[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    int status = -1;
    std::string text;
    const bool ended = started && RunUntil([&] {
        char buffer[512];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, size_t(n));
        return waitpid(pid, &status, WNOHANG) == pid;
    }, 10000);
    char rest[512];
    for (ssize_t n; (n = read(out[0], rest, sizeof rest)) > 0;)
        text.append(rest, size_t(n));
    if (started && !ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    close(out[0]);
    if (output)
        *output = text;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
