#include "shell/windows/CDesktop.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "shell/windows/Displays.h"
#include "shell/windows/WindowNumberCache.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* CDesktop::msgViewPrefsChanged = "CViewPrefs_Changed";

namespace {

CDesktop* gDesktop = nullptr;
LHandler* gViewPrefs = nullptr;

void EndModal(const LWindow* window)
{
    if (CMacMainLoop* loop = CMacMainLoop::Get())
        loop->EndModal(window);
}

bool AppHidden()
{
    return plat::WindowServer::Shared().IsHidden();
}

void TellViewPrefs(LWindow* window)
{
    if (gViewPrefs)
        LMessage::Send(LMessage(CDesktop::msgViewPrefsChanged, gViewPrefs, window->GetOwner()));
}

// The front-most cached window that still exists.
plat::Window* FirstNative()
{
    for (uint32_t number : WindowNumberCache::Numbers())
        if (plat::Window* native = plat::WindowServer::Shared().WithNumber(number))
            return native;
    return nullptr;
}

// The cached window behind native that still exists; null when native is not cached or last.
plat::Window* NextNative(const plat::Window* native)
{
    const std::vector<uint32_t> numbers = WindowNumberCache::Numbers();
    if (numbers.empty())
        return nullptr;
    auto at = std::find(numbers.begin(), numbers.end() - 1, native->Number());
    if (at == numbers.end() - 1)
        return nullptr;
    for (++at; at != numbers.end(); ++at)
        if (plat::Window* next = plat::WindowServer::Shared().WithNumber(*at))
            return next;
    return nullptr;
}

} // namespace

CDesktop::CDesktop()
{
    gDesktop = this;
    WindowNumberCache::MarkStale();
}

CDesktop::~CDesktop()
{
    if (gDesktop == this)
        gDesktop = nullptr;
}

CDesktop* CDesktop::Get()
{
    return gDesktop;
}

void CDesktop::SetViewPrefs(LHandler* viewPrefs)
{
    gViewPrefs = viewPrefs;
}

plat::Ref<plat::Window> CDesktop::CreateWindow(LWindow*, plat::Window*, const LWindowDef& def)
{
    WindowNumberCache::MarkStale();
    return def.CreateNativeWindow();
}

void CDesktop::DestroyWindow(LWindow* window)
{
    EndModal(window);
    if (window)
        window->DisposeNative();
    WindowNumberCache::MarkStale();
}

void CDesktop::ShowWindow(LWindow* window)
{
    if (!window || (window->Layer() == LWindowDef::kLayerModal && AppHidden()))
        return;
    plat::Window* native = window->Native();
    if (!native)
        return;
    if (!native->IsVisible())
        TellViewPrefs(window);
    if (window->Layer() != LWindowDef::kLayerFloating) {
        if (native->IsKey())
            return;
        native->MakeKeyAndOrderFront();
    } else {
        native->OrderFront();
        LMessage::Send(LMessage(LWindow::msgActivate, window, window->GetOwner()));
    }
    WaitUntilOnScreen(native);
}

void CDesktop::ShowWindowRelative(LWindow* window)
{
    plat::Window* native = window ? window->Native() : nullptr;
    if (!native || native->IsVisible())
        return;
    TellViewPrefs(window);
    if (native->IsMiniaturized())
        return;
    if (LWindow* front = FindWindowOfLayer(int32_t(window->Layer())); front && front->Native()) {
        native->OrderRelative(plat::OrderPlace::Below, front->Native()->Number());
        WaitUntilOnScreen(native);
    } else {
        native->OrderFront();
    }
    if (window->Layer() == LWindowDef::kLayerFloating)
        LMessage::Send(LMessage(LWindow::msgActivate, window, window->GetOwner()));
    WaitUntilOnScreen(native);
}

void CDesktop::HideWindow(LWindow* window)
{
    if (!window)
        return;
    EndModal(window);
    if (plat::Window* native = window->Native())
        native->OrderOut();
    WindowNumberCache::MarkStale();
}

void CDesktop::DeleteObject(LWindow* window)
{
    HideWindow(window);
    delete window;
}

plat::Window* CDesktop::GetNativeWindow(const LWindow* window)
{
    return window ? window->Native() : nullptr;
}

LWindow* CDesktop::NextVisibleWindow(const LWindow* window)
{
    const plat::Window* after = window ? window->Native() : nullptr;
    if (window && !after)
        return nullptr;
    for (plat::Window* native = after ? NextNative(after) : FirstNative(); native; native = NextNative(native)) {
        LWindow* found = LWindow::FindByNative(native);
        if (found && native->IsVisible())
            return found;
    }
    return nullptr;
}

LWindow* CDesktop::FindWindowOfLayer(int32_t layer)
{
    for (LWindow* window = FrontVisibleWindow(); window; window = NextVisibleWindow(window))
        if (int32_t(window->Layer()) == layer)
            return window;
    return nullptr;
}

void CDesktop::WaitUntilOnScreen(plat::Window* native)
{
    if (!native || native->Number() < 1 || AppHidden())
        return;
    const uint32_t start = LTicks::Now();
    for (;;) {
        WindowNumberCache::MarkStale();
        const std::vector<uint32_t>& numbers = WindowNumberCache::Numbers();
        if (std::find(numbers.begin(), numbers.end(), native->Number()) != numbers.end())
            return;
        plat::EventQueue::Shared().NextMatching(0, 1, plat::kModeDefault, false);
        if (LTicks::Diff(LTicks::Now(), start) >= int32_t(kWaitLimitMs))
            return;
    }
}
