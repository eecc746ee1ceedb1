#include "platform/window/WindowServer.h"
#include "platform/window/ControlsReport.h"
#include "platform/app/Application.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"

#include <algorithm>

namespace plat {

namespace {

template <class T>
void Erase(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

HeadlessBackend& HeadlessBackend::Shared()
{
    static HeadlessBackend backend;
    return backend;
}

WindowServer::WindowServer() = default;

WindowServer& WindowServer::Shared()
{
    static WindowServer server;
    return server;
}

uint32_t WindowServer::Register(Window* window)
{
    fAll.push_back(window);
    Backend().CreateSurface(*window);
    return fNextNumber++;
}

void WindowServer::Unregister(Window* window)
{
    // The window is going away: it hears nothing more, but the others take over its focus.
    Remove(*window);
    const bool hadKey = fKey == window;
    const bool hadMain = fMain == window;
    if (hadKey)
        fKey = nullptr;
    if (hadMain)
        fMain = nullptr;
    Erase(fAll, window);
    Backend().DestroySurface(*window);
    ChooseSuccessors(hadKey, hadMain);
}

void WindowServer::LevelChanged(Window& window)
{
    if (std::find(fOrder.begin(), fOrder.end(), &window) == fOrder.end())
        return;
    Remove(window);
    Insert(window, true);
}

void WindowServer::FrameChanged(Window& window)
{
    Backend().UpdateSurface(window);
}

Window* WindowServer::WithNumber(uint32_t number) const
{
    for (Window* window : fAll)
        if (window->Number() == number)
            return window;
    return nullptr;
}

bool WindowServer::OnScreen(const Window& window) const
{
    if (fHidden)
        return false;
    if (!fActive && window.IsPanel() && window.hidesOnDeactivate)
        return false;
    return std::find(fOrder.begin(), fOrder.end(), &window) != fOrder.end();
}

std::vector<uint32_t> WindowServer::WindowNumbers() const
{
    std::vector<uint32_t> numbers;
    for (Window* window : fOrder)
        if (OnScreen(*window) && std::find(fStalledOut.begin(), fStalledOut.end(), window) == fStalledOut.end())
            numbers.push_back(window->Number());
    return numbers;
}

bool WindowServer::IsVisible(const Window& window) const
{
    return OnScreen(window);
}

Window* WindowServer::WindowAtPoint(const Point& screenPoint) const
{
    for (uint32_t number : WindowNumbers()) {
        Window* window = WithNumber(number);
        if (window && !window->ignoresMouseEvents && Contains(window->Frame(), screenPoint))
            return window;
    }
    return nullptr;
}

Point WindowServer::ScreenLocation(const Event& event) const
{
    const Window* window = WithNumber(event.windowNumber);
    return window ? window->ConvertBaseToScreen(event.locationInWindow) : event.locationInWindow;
}

void WindowServer::Insert(Window& window, bool atFrontOfLevel)
{
    const int32_t level = window.Level();
    auto at = atFrontOfLevel
        ? std::find_if(fOrder.begin(), fOrder.end(), [level](Window* w) { return w->Level() <= level; })
        : std::find_if(fOrder.begin(), fOrder.end(), [level](Window* w) { return w->Level() < level; });
    fOrder.insert(at, &window);
    if (fStalled)
        fStalledOut.push_back(&window);
    Backend().UpdateSurface(window);
}

void WindowServer::Remove(Window& window)
{
    Erase(fOrder, &window);
    Erase(fStalledOut, &window);
}

void WindowServer::OrderFront(Window& window)
{
    Remove(window);
    Insert(window, true);
}

void WindowServer::OrderBack(Window& window)
{
    Remove(window);
    Insert(window, false);
}

void WindowServer::OrderOut(Window& window)
{
    if (std::find(fOrder.begin(), fOrder.end(), &window) == fOrder.end())
        return;
    Remove(window);
    Backend().UpdateSurface(window);
    const bool hadKey = fKey == &window;
    const bool hadMain = fMain == &window;
    if (hadKey)
        SetKey(nullptr);
    if (hadMain)
        SetMain(nullptr);
    ChooseSuccessors(hadKey, hadMain);
}

void WindowServer::OrderRelative(Window& window, OrderPlace place, uint32_t otherNumber)
{
    if (place == OrderPlace::Out) {
        OrderOut(window);
        return;
    }
    Window* other = WithNumber(otherNumber);
    auto at = std::find(fOrder.begin(), fOrder.end(), other);
    if (!other || other == &window || at == fOrder.end() || other->Level() != window.Level()) {
        OrderFront(window);
        return;
    }
    Remove(window);
    at = std::find(fOrder.begin(), fOrder.end(), other);
    if (place == OrderPlace::Below)
        ++at;
    fOrder.insert(at, &window);
    if (fStalled)
        fStalledOut.push_back(&window);
    Backend().UpdateSurface(window);
}

void WindowServer::ChooseSuccessors(bool hadKey, bool hadMain)
{
    if (hadMain || (hadKey && !fMain)) {
        for (Window* window : fOrder)
            if (OnScreen(*window) && window->CanBecomeMain()) {
                SetMain(window);
                break;
            }
    }
    if (!hadKey)
        return;
    // While a question is open the keyboard stays with it, not with the document behind it.
    Window* modal = Application::Shared().ModalWindowOnScreen();
    if (modal && modal->CanBecomeKey())
        SetKey(modal);
    else if (fMain && fMain->CanBecomeKey())
        SetKey(fMain);
}

void WindowServer::MakeKey(Window& window)
{
    if (fKey == &window || !window.CanBecomeKey() || !OnScreen(window))
        return;
    SetKey(&window);
}

void WindowServer::MakeMain(Window& window)
{
    if (fMain == &window || !window.CanBecomeMain() || !OnScreen(window))
        return;
    SetMain(&window);
}

void WindowServer::SetKey(Window* window)
{
    Window* old = fKey;
    fKey = window;
    if (old) {
        if (old->Delegate())
            old->Delegate()->DidResignKey(*old);
        Notify(WindowNotice::ResignedKey, *old);
    }
    if (window) {
        if (window->Delegate())
            window->Delegate()->DidBecomeKey(*window);
        Notify(WindowNotice::BecameKey, *window);
    }
}

void WindowServer::SetMain(Window* window)
{
    Window* old = fMain;
    fMain = window;
    if (old) {
        if (old->Delegate())
            old->Delegate()->DidResignMain(*old);
        Notify(WindowNotice::ResignedMain, *old);
    }
    if (window) {
        if (window->Delegate())
            window->Delegate()->DidBecomeMain(*window);
        Notify(WindowNotice::BecameMain, *window);
    }
}

void WindowServer::SetActive(bool active)
{
    const bool changed = active != fActive;
    fActive = active;
    if (!active && fKey && !OnScreen(*fKey))
        SetKey(nullptr);
    if (changed)
        UpdateAllSurfaces(); // panels that hide on deactivation come and go
}

void WindowServer::SetHidden(bool hidden)
{
    if (hidden == fHidden)
        return;
    fHidden = hidden;
    UpdateAllSurfaces();
}

void WindowServer::SetIconified(Window& window, bool iconified)
{
    if (window.IsMiniaturized() == iconified)
        return;
    window.SetMiniaturized(iconified);
    Backend().SetIconified(window, iconified);
    if (iconified && fKey == &window)
        SetKey(nullptr);
}

void WindowServer::UpdateAllSurfaces()
{
    const std::vector<Window*> windows = fOrder;
    for (Window* window : windows)
        Backend().UpdateSurface(*window);
}

int WindowServer::AddObserver(Observer observer)
{
    fObservers.emplace_back(fNextToken, std::move(observer));
    return fNextToken++;
}

void WindowServer::RemoveObserver(int token)
{
    fObservers.erase(std::remove_if(fObservers.begin(), fObservers.end(),
                                    [token](const auto& entry) { return entry.first == token; }),
                     fObservers.end());
}

void WindowServer::Notify(WindowNotice notice, Window& window)
{
    const auto observers = fObservers; // an observer may remove itself
    for (const auto& entry : observers)
        entry.second(notice, window);
}

void WindowServer::SetBackend(WindowBackend* backend)
{
    fBackend = backend;
}

WindowBackend& WindowServer::Backend() const
{
    return fBackend ? *fBackend : HeadlessBackend::Shared();
}

void WindowServer::PollInput()
{
    Backend().PollInput(EventQueue::Shared());
}

void WindowServer::SetDisplaysBeforeWait(bool on)
{
    fDisplaysBeforeWait = on;
    if (on)
        RunLoop::Current().SetBeforeWait([this] { PrepareToWait(); });
    else
        RunLoop::Current().SetBeforeWait(nullptr);
}

void WindowServer::PrepareToWait()
{
    if (fDisplaysBeforeWait)
        DisplayCycle::DisplayIfNeeded();
    ControlsReport::Update();
    PollInput();
}

std::optional<Point> WindowServer::PointerLocation() const
{
    if (std::optional<Point> desktop = Backend().PointerLocation())
        return desktop;
    return fPointer;
}

void WindowServer::Reset()
{
    fPointer.reset();
    fOrder.clear();
    fStalledOut.clear();
    fKey = nullptr;
    fMain = nullptr;
    fActive = true;
    fHidden = false;
    fStalled = false;
}

} // namespace plat
