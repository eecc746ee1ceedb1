#include "platform/window/sdl/SdlBackend.h"
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/cursors/Cursor.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/runloop/FdSource.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/sdl/SdlActivation.h"
#include "platform/window/sdl/SdlBackendImpl.h"
#include "platform/window/sdl/SdlDesktopEvents.h"
#include "platform/window/sdl/SdlFrameEdges.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <dlfcn.h>

namespace plat {

// Makes every panel transient for the current main window.
void AttachPanels(SdlBackend::Impl& impl);

SDL_SysWMinfo WindowInfo(SDL_Window* sdl)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!sdl || !SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11)
        info.info.x11 = {nullptr, 0};
    return info;
}

namespace {

long Round(double v) { return std::lround(v); }

// SDL opens the X extension libraries itself and closes them when its video stops; closed,
// the caches they keep until the process ends would lose their last reference (and a leak
// checker would report them). Opened here once more and never closed, they stay loaded.
void KeepExtensionLibrariesLoaded()
{
    static const bool kept = [] {
        for (const char* library : {"libXcursor.so.1", "libXi.so.6", "libXrandr.so.2", "libXinerama.so.1",
                                    "libXss.so.1", "libXfixes.so.3", "libXext.so.6"})
            (void)dlopen(library, RTLD_NOW | RTLD_NODELETE);
        return true;
    }();
    (void)kept;
}

// Windows come and go under the window manager's hand: a request about a window that is gone
// by the time the server reads it is no fault of the program and must not end it, as Xlib's
// default handler would. Other errors go to the handler that was there before.
XErrorHandler gErrorsBefore = nullptr;

int IgnoreWindowsGone(Display* display, XErrorEvent* event)
{
    if (event->error_code == BadWindow)
        return 0;
    return gErrorsBefore ? gErrorsBefore(display, event) : 0;
}

bool IsPopUp(const Window& window) { return window.Level() >= kLevelPopUpMenu; }

Uint32 CreationFlags(const Window& window)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (IsPopUp(window))
        return flags | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_BORDERLESS;
    if (!(window.StyleMask() & kStyleTitled))
        flags |= SDL_WINDOW_BORDERLESS;
    if (window.StyleMask() & kStyleResizable)
        flags |= SDL_WINDOW_RESIZABLE;
    if (window.IsPanel())
        flags |= SDL_WINDOW_UTILITY;
    return flags;
}

} // namespace

SDL_Rect ClientRectOf(const Window& window)
{
    const Rect content = window.ContentRect();
    const double bar = window.MenuBarHeight();
    const double top = SdlBackend::Impl::MainHeight() - (content.y + content.height) - bar;
    return SDL_Rect{int(Round(content.x)), int(Round(top)), std::max(1, int(Round(content.width))),
                    std::max(1, int(Round(content.height + bar)))};
}

Point ClientToBase(const Window& window, double x, double y)
{
    return Point{x, window.ContentRect().height + window.MenuBarHeight() - y};
}

double SdlBackend::Impl::MainHeight()
{
    const Screen main = Screens::Main();
    return main.frame.y + main.frame.height;
}

Window* SdlBackend::Impl::ModelWindow(uint32_t sdlWindowId) const
{
    for (const auto& [number, surface] : surfaces)
        if (surface.sdl && SDL_GetWindowID(surface.sdl) == sdlWindowId)
            return WindowServer::Shared().WithNumber(number);
    return nullptr;
}

SdlSurface* SdlBackend::Impl::SurfaceOf(uint32_t windowNumber)
{
    auto it = surfaces.find(windowNumber);
    return it == surfaces.end() ? nullptr : &it->second;
}

SdlBackend::SdlBackend() : fImpl(std::make_unique<Impl>()) {}

std::unique_ptr<SdlBackend> SdlBackend::Start(std::string* error)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        if (error)
            *error = "DISPLAY is not set";
        return nullptr;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");       // quit requests come through our own signals
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0"); // the model decides when to quit
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the model decides about the first click
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0"); // the X server's shared-memory images, no GL

    KeepExtensionLibrariesLoaded();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error)
            *error = SDL_GetError();
        return nullptr;
    }
    gErrorsBefore = XSetErrorHandler(IgnoreWindowsGone);
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    Screens::Set(backend->ReportScreens());
    SDL_StopTextInput(); // on while a text field edits
    Impl* impl = backend->fImpl.get();
    WatchUserTime(*impl);
    impl->keyObserver = WindowServer::Shared().AddObserver([impl](WindowNotice notice, Window& window) {
        // The keyboard follows the model's key window; panels stay with the main window.
        SdlSurface* surface = impl->SurfaceOf(window.Number());
        if (notice == WindowNotice::BecameKey && surface && !surface->popUp)
            GiveKeyboard(*impl, window.Number());
        if (notice == WindowNotice::BecameMain)
            AttachPanels(*impl);
    });
    return backend;
}

namespace {

// How long the window manager may take to answer a request for the keyboard, and how many
// requests may wait at once.
constexpr uint64_t kKeyboardAnswerMs = 2000;
constexpr size_t kMaxKeyboardRequests = 8;

void DropLapsedRequests(SdlBackend::Impl& impl)
{
    const uint64_t now = NowMs();
    std::erase_if(impl.keyboardAsked, [now](const auto& asked) { return now - asked.second > kKeyboardAnswerMs; });
    if (impl.keyboardAsked.size() > kMaxKeyboardRequests)
        impl.keyboardAsked.erase(impl.keyboardAsked.begin());
}

} // namespace

void GiveKeyboard(SdlBackend::Impl& impl, uint32_t windowNumber)
{
    SdlSurface* surface = impl.SurfaceOf(windowNumber);
    if (!surface || !surface->sdl || !surface->shown)
        return;
    // While an earlier request is on its way, what SDL last heard is no longer the last word.
    DropLapsedRequests(impl);
    if (SDL_GetKeyboardFocus() == surface->sdl && impl.keyboardAsked.empty())
        return;
    RequestActivation(impl, surface->sdl);
    impl.keyboardAsked.emplace_back(windowNumber, NowMs());
    DropLapsedRequests(impl);
}

bool AnswersKeyboardRequest(SdlBackend::Impl& impl, uint32_t windowNumber)
{
    DropLapsedRequests(impl);
    const auto asked = std::find_if(impl.keyboardAsked.begin(), impl.keyboardAsked.end(),
                                    [windowNumber](const auto& request) { return request.first == windowNumber; });
    if (asked == impl.keyboardAsked.end())
        return false;
    impl.keyboardAsked.erase(impl.keyboardAsked.begin(), asked + 1);
    return true;
}

SdlBackend::~SdlBackend()
{
    WindowServer::Shared().RemoveObserver(fImpl->keyObserver);
    StopWatchingUserTime();
    fImpl->displaySource.reset();
    ReleaseCursors(*fImpl);
    for (auto& [number, surface] : fImpl->surfaces)
        if (surface.sdl)
            SDL_DestroyWindow(surface.sdl);
    fImpl->surfaces.clear();
    // SDL puts back the handler it found when its video starts: ours goes first.
    XSetErrorHandler(gErrorsBefore);
    gErrorsBefore = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

void SdlBackend::CreateSurface(const Window& window)
{
    // The desktop window is made when the model window first shows: its kind is known then.
    fImpl->surfaces[window.Number()];
}

void SdlBackend::DestroySurface(const Window& window)
{
    auto it = fImpl->surfaces.find(window.Number());
    if (it == fImpl->surfaces.end())
        return;
    if (it->second.sdl)
        SDL_DestroyWindow(it->second.sdl);
    fImpl->surfaces.erase(it);
}

unsigned long SdlBackend::NativeWindow(uint32_t windowNumber) const
{
    const SdlSurface* surface = fImpl->SurfaceOf(windowNumber);
    return surface && surface->sdl ? WindowInfo(surface->sdl).info.x11.window : 0;
}

namespace {

// Panels and the windows above the normal level (dialogs) belong to the main window; a document
// window stands on its own, so a click on it brings it in front of the others.
bool BelongsToMainWindow(const Window& window)
{
    return window.IsPanel() || window.Level() > kLevelNormal;
}

// Keeps a panel above the main window and a modal panel modal for it.
void AttachToMainWindow(SdlBackend::Impl& impl, const Window& window, SdlSurface& surface)
{
    Window* main = WindowServer::Shared().MainWindow();
    SdlSurface* parent = main && main != &window ? impl.SurfaceOf(main->Number()) : nullptr;
    if (!parent || !parent->sdl)
        return;
    if (window.Level() == kLevelModalPanel) {
        SDL_SetWindowModalFor(surface.sdl, parent->sdl);
        return;
    }
    const SDL_SysWMinfo own = WindowInfo(surface.sdl), theirs = WindowInfo(parent->sdl);
    if (own.info.x11.display && theirs.info.x11.window)
        XSetTransientForHint(own.info.x11.display, own.info.x11.window, theirs.info.x11.window);
}

} // namespace

void AttachPanels(SdlBackend::Impl& impl)
{
    for (auto& [number, surface] : impl.surfaces) {
        const Window* window = WindowServer::Shared().WithNumber(number);
        if (surface.sdl && window && window->IsPanel())
            AttachToMainWindow(impl, *window, surface);
    }
}

namespace {

// Watches the X connection from the main run loop, so a wait ends when input arrives.
void WatchDisplay(SdlBackend::Impl& impl, SDL_Window* sdl)
{
    if (impl.displaySource)
        return;
    const SDL_SysWMinfo info = WindowInfo(sdl);
    if (!info.info.x11.display)
        return;
    impl.displaySource = std::make_unique<FdSource>(RunLoop::Current(), ConnectionNumber(info.info.x11.display),
                                                    kFdReadable, [](unsigned) { SDL_PumpEvents(); });
}

void RaiseWithoutFocus(SdlSurface& surface)
{
    const SDL_SysWMinfo info = WindowInfo(surface.sdl);
    if (info.info.x11.display)
        XRaiseWindow(info.info.x11.display, info.info.x11.window);
}

// The model window in front of the others (open menus aside).
uint32_t FrontNumber()
{
    for (uint32_t number : WindowServer::Shared().WindowNumbers()) {
        const Window* window = WindowServer::Shared().WithNumber(number);
        if (window && !IsPopUp(*window))
            return number;
    }
    return 0;
}

} // namespace

void SdlBackend::UpdateSurface(const Window& window)
{
    SdlSurface& surface = fImpl->surfaces[window.Number()];
    if (!window.IsVisible()) {
        if (surface.sdl && surface.shown)
            SDL_HideWindow(surface.sdl);
        surface.shown = false;
        return;
    }
    const SDL_Rect client = ClientRectOf(window);
    if (!surface.sdl) {
        surface.title = window.Title();
        surface.popUp = IsPopUp(window);
        surface.sdl = SDL_CreateWindow(surface.title.c_str(), client.x, client.y, client.w, client.h,
                                       CreationFlags(window));
        if (!surface.sdl)
            return;
        surface.applied = client;
        WatchDisplay(*fImpl, surface.sdl);
        if (!surface.popUp && BelongsToMainWindow(window))
            AttachToMainWindow(*fImpl, window, surface);
    }
    if (client.x != surface.applied.x || client.y != surface.applied.y)
        SDL_SetWindowPosition(surface.sdl, client.x, client.y);
    if (client.w != surface.applied.w || client.h != surface.applied.h)
        SDL_SetWindowSize(surface.sdl, client.w, client.h);
    surface.applied = client;
    if (surface.title != window.Title()) {
        surface.title = window.Title();
        SDL_SetWindowTitle(surface.sdl, surface.title.c_str());
    }
    if (!surface.shown) {
        surface.shown = true;
        surface.placing = !surface.popUp;
        if (!surface.everShown && !surface.popUp && (window.StyleMask() & kStyleTitled))
            PlaceFrameBeforeFirstShow(*fImpl, surface, CreationFlags(window), client);
        surface.everShown = true;
        if (window.Level() == kLevelModalPanel)
            MarkModal(surface.sdl);
        SDL_ShowWindow(surface.sdl);
        if (window.IsKey())
            RequestActivation(*fImpl, surface.sdl);
        if (window.BackingImage())
            Present(window, *window.BackingImage(), {});
    }
    if (const uint32_t front = FrontNumber(); front == window.Number() && fImpl->front != front) {
        fImpl->front = front;
        RaiseWithoutFocus(surface);
    }
}

void SdlBackend::Present(const Window& window, const Bitmap& image, const std::vector<PixelRect>& dirty)
{
    SdlSurface* surface = fImpl->SurfaceOf(window.Number());
    if (!surface || !surface->sdl || !surface->shown || image.Empty())
        return;
    SDL_Surface* target = SDL_GetWindowSurface(surface->sdl);
    if (!target)
        return;
    const std::vector<PixelRect> whole{PixelRect{0, 0, image.Width(), image.Height()}};
    std::vector<SDL_Rect> rects;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0)
        return;
    for (const PixelRect& r : dirty.empty() ? whole : dirty) {
        const int left = std::max(r.x, 0), top = std::max(r.y, 0);
        const int right = std::min({r.x + r.width, image.Width(), target->w});
        const int bottom = std::min({r.y + r.height, image.Height(), target->h});
        if (right <= left || bottom <= top)
            continue;
        const uint8_t* from = image.Bytes() + size_t(top) * size_t(image.Stride()) + size_t(left) * 4;
        uint8_t* to = static_cast<uint8_t*>(target->pixels) + size_t(top) * size_t(target->pitch)
            + size_t(left) * target->format->BytesPerPixel;
        SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_ARGB8888, from, image.Stride(),
                          target->format->format, to, target->pitch);
        rects.push_back(SDL_Rect{left, top, right - left, bottom - top});
    }
    if (SDL_MUSTLOCK(target))
        SDL_UnlockSurface(target);
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(surface->sdl, rects.data(), int(rects.size()));
}

std::vector<Screen> SdlBackend::ReportScreens()
{
    std::vector<Screen> screens;
    SDL_Rect main{};
    for (int i = 0, n = SDL_GetNumVideoDisplays(); i < n; ++i) {
        SDL_Rect bounds{}, usable{};
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        if (screens.empty())
            main = bounds;
        // The model counts y upward from the main screen's bottom edge.
        const double bottom = main.y + main.h;
        Screen screen;
        screen.displayId = uint32_t(i + 1);
        screen.frame = Rect{double(bounds.x), bottom - (bounds.y + bounds.h), double(bounds.w), double(bounds.h)};
        screen.visibleFrame = Rect{double(usable.x), bottom - (usable.y + usable.h), double(usable.w), double(usable.h)};
        screens.push_back(screen);
    }
    return screens;
}

void SdlBackend::PollInput(EventQueue& queue)
{
    ApplyCursor(*fImpl);
    SDL_PumpEvents();
    SDL_Event batch[64];
    for (;;) {
        const int count = SDL_PeepEvents(batch, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (int i = 0; i < count; ++i) {
            if (HandleDesktopEvent(*this, *fImpl, batch[i]))
                continue;
            bool consumedNext = false;
            TranslateInput(*fImpl, queue, batch[i], i + 1 < count ? &batch[i + 1] : nullptr, &consumedNext);
            if (consumedNext)
                ++i;
        }
        if (count < 64)
            break;
    }
    // Window-manager changes reach the model after the batch's input is queued: a close
    // request may run a modal question that reads the events that came before it.
    std::vector<std::function<void()>> actions;
    actions.swap(fImpl->windowManagerActions);
    for (auto& action : actions)
        action();
    if (fImpl->focusLost && !SDL_GetKeyboardFocus())
        Application::Shared().SetActive(false);
    fImpl->focusLost = false;
}

std::optional<Point> SdlBackend::PointerLocation() const
{
    int x = 0;
    int y = 0;
    (void)SDL_GetGlobalMouseState(&x, &y);
    return Point{double(x), Impl::MainHeight() - double(y)};
}

std::optional<std::string> SdlBackend::ClipboardText()
{
    // One request to the clipboard's owner: asking whether it has text first would be two.
    char* text = SDL_GetClipboardText();
    if (!text)
        return std::nullopt;
    std::string result(text);
    SDL_free(text);
    if (result.empty())
        return std::nullopt;
    return result;
}

void SdlBackend::SetClipboardText(const std::string& text)
{
    SDL_SetClipboardText(text.c_str());
    ++fImpl->clipboardChanges;
}

uint64_t SdlBackend::ClipboardChanges() const
{
    return fImpl->clipboardChanges;
}

void SdlBackend::SetIconified(const Window& window, bool iconified)
{
    SdlSurface* surface = fImpl->SurfaceOf(window.Number());
    if (!surface || !surface->sdl || !surface->shown)
        return;
    if (iconified)
        SDL_MinimizeWindow(surface->sdl);
    else
        SDL_RestoreWindow(surface->sdl);
}

void SdlBackend::SetTextInput(bool on)
{
    if (on)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

} // namespace plat
