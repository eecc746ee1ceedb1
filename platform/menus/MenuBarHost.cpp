#include "platform/menus/MenuBarHost.h"
#include "platform/app/Application.h"
#include "platform/menus/MenuBar.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace plat::MenuBarHost {

namespace {

constexpr double kLeastWidth = 420.0;
constexpr double kContentHeight = 48.0;
constexpr double kInset = 40.0;

// Closing the host window means leaving the program: without it no menu would remain.
class HostDelegate final : public WindowDelegate {
public:
    bool ShouldClose(Window&) override
    {
        Application::Shared().Terminate();
        return false;
    }
};

struct Host {
    bool enabled = false;
    Ref<Window> window;
    HostDelegate delegate;
};

Host& TheHost()
{
    static Host* host = new Host(); // lives as long as the process
    return *host;
}

bool OtherWindowShowsBar(const Window* own)
{
    WindowServer& server = WindowServer::Shared();
    for (uint32_t number : server.WindowNumbers())
        if (const Window* window = server.WithNumber(number); window && window != own && window->ShowsMenuBar())
            return true;
    return false;
}

// Wide enough for every title of the bar, with the bar's left margin on the right too.
double HostWidth()
{
    const std::vector<MenuBar::Title> titles = MenuBar::Titles();
    if (titles.empty())
        return kLeastWidth;
    return std::max(kLeastWidth, std::ceil(titles.back().x + titles.back().width + titles.front().x));
}

Ref<Window> MakeHostWindow(HostDelegate& delegate)
{
    const Rect visible = Screens::Main().visibleFrame;
    const double top = visible.y + visible.height - kInset;
    Ref<Window> window = Window::Make(Rect{visible.x + kInset, top - kContentHeight, HostWidth(), kContentHeight},
                                      kStyleTitled | kStyleClosable | kStyleMiniaturizable);
    window->SetTitle("Sonalyx");
    window->SetShowsMenuBar(true);
    window->SetDelegate(&delegate);
    return window;
}

} // namespace

void SetEnabled(bool enabled)
{
    Host& host = TheHost();
    host.enabled = enabled;
    if (!enabled && host.window) {
        host.window->SetDelegate(nullptr);
        host.window->OrderOut();
        host.window.Reset();
    }
}

void Update()
{
    Host& host = TheHost();
    if (!host.enabled || Application::Shared().HasTerminated())
        return;
    const bool needed = !OtherWindowShowsBar(host.window.Get());
    if (needed && !host.window)
        host.window = MakeHostWindow(host.delegate);
    if (!host.window || needed == host.window->IsVisible())
        return;
    if (needed)
        host.window->MakeKeyAndOrderFront();
    else
        host.window->OrderOut();
}

Window* HostWindow()
{
    return TheHost().window.Get();
}

} // namespace plat::MenuBarHost
