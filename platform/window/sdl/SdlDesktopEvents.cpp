#include "platform/window/sdl/SdlDesktopEvents.h"
#include "platform/app/Application.h"
#include "platform/window/FileDrop.h"
#include "platform/window/UserWindowActions.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlFrameEdges.h"

namespace plat {

namespace {

constexpr size_t kMaxDroppedFiles = 1024;

// The model frame the window manager's client geometry stands for.
Rect FrameOfClient(const Window& window, const SDL_Rect& client)
{
    const double bar = window.MenuBarHeight();
    const double contentHeight = client.h - bar;
    const Rect content{double(client.x), SdlBackend::Impl::MainHeight() - (client.y + client.h), double(client.w),
                       contentHeight < 0 ? 0 : contentHeight};
    return window.FrameRectForContentRect(content);
}

// A window manager puts its frame, not the client, where a new window asks to go: the client
// comes out lower and further right by the frame's title bar and border, and a place kept from
// one run would move down on every start. A window is shown where its frame goes when the
// window manager tells its frame's edges beforehand; when it did not, the first report of a new
// window's place undoes the shift, once; a window manager that insists has the last word.
bool PutClientBack(SdlSurface& surface, const SDL_Rect& wanted)
{
    surface.placing = false;
    const int dx = surface.applied.x - wanted.x, dy = surface.applied.y - wanted.y;
    // Only a shift down and to the right by about a frame's edges is the frame's doing.
    if (dy <= 0 || !PlausibleFrameEdges(FrameEdges{dx, dy}))
        return false;
    // SDL moves the frame by the extents once it knows them; before, the client is asked to
    // go back by the shift the window manager made.
    int top = 0, left = 0;
    const bool extentsKnown =
        SDL_GetWindowBordersSize(surface.sdl, &top, &left, nullptr, nullptr) == 0 && (top != 0 || left != 0);
    if (extentsKnown)
        SDL_SetWindowPosition(surface.sdl, wanted.x, wanted.y);
    else
        SDL_SetWindowPosition(surface.sdl, wanted.x - dx, wanted.y - dy);
    surface.applied.x = wanted.x;
    surface.applied.y = wanted.y;
    return true;
}

// The window manager moved or resized the window: once the batch is in, the model takes the
// last geometry it reported (earlier reports of one batch are stale by then).
void QueueGeometry(SdlBackend::Impl& impl, Window& window)
{
    SdlSurface* surface = impl.SurfaceOf(window.Number());
    // A window manager lets go of a hidden window by putting it where its frame was; that is
    // no move of the person's, and the model keeps the place the window shows at again.
    if (surface->geometryQueued || !surface->shown)
        return;
    surface->geometryQueued = true;
    Ref<Window> keep(&window);
    impl.windowManagerActions.push_back([keep, &impl] {
        SdlSurface* current = impl.SurfaceOf(keep->Number());
        if (!current)
            return;
        current->geometryQueued = false;
        if (!current->shown)
            return;
        const Rect reported = FrameOfClient(*keep, current->applied);
        const Rect model = keep->Frame();
        if (reported.width != model.width || reported.height != model.height)
            UserWindowActions::Resize(*keep, reported.width, reported.height);
        // A window manager resizes a window from its top-left corner, which the model keeps too:
        // a size the model held at its smallest is no move. The window moved when that corner did.
        const Rect now = keep->Frame();
        const double top = reported.y + reported.height;
        if (reported.x == now.x && top == now.y + now.height) {
            current->placing = false;
            return;
        }
        if (current->placing && PutClientBack(*current, ClientRectOf(*keep)))
            return;
        UserWindowActions::Move(*keep, Point{reported.x, top - now.height});
    });
}

// The window manager may hand the focus to a window behind an open question (the one that had
// it before a closed panel): the question takes it back. True when it did.
bool KeepFocusOnModalWindow(SdlBackend::Impl& impl, const Window& focused)
{
    Window* modal = Application::Shared().ModalWindowOnScreen();
    if (!modal || modal == &focused || !modal->CanBecomeKey())
        return false;
    if (!modal->IsKey()) {
        modal->MakeKeyAndOrderFront();  // the key observer gives it the keyboard
        return true;
    }
    GiveKeyboard(impl, modal->Number());
    return true;
}

// The window manager gave the keyboard to a panel that takes it only when one of its views
// needs it (on showing it, or to the window behind a closed dialog): the model's key window
// keeps it and gets it back. A click in the panel decides for itself when it is delivered.
// True when the panel was passed over.
bool PassOverPanel(SdlBackend::Impl& impl, const Window& focused)
{
    if (!focused.becomesKeyOnlyIfNeeded)
        return false;
    Window* key = WindowServer::Shared().KeyWindow();
    if (!key)
        key = WindowServer::Shared().MainWindow();
    if (!key || key == &focused || !key->IsVisible())
        return false;
    if (key->IsKey())
        GiveKeyboard(impl, key->Number());
    else
        key->MakeKey(); // the key observer gives it the keyboard
    return true;
}

void QueueFocus(SdlBackend::Impl& impl, Window& window)
{
    impl.focusLost = false;
    Ref<Window> keep(&window);
    impl.windowManagerActions.push_back([keep, &impl] {
        // Another program may have copied while we were in the background.
        if (!Application::Shared().IsActive())
            ++impl.clipboardChanges;
        Application::Shared().SetActive(true);
        // The keyboard reached a window the program chose itself: the model has it already,
        // or has since chosen another whose request is on its way; asking again would only
        // send a spare request after it.
        if (AnswersKeyboardRequest(impl, keep->Number()))
            return;
        if (KeepFocusOnModalWindow(impl, *keep))
            return;
        if (!keep->IsVisible() || keep->IsKey() || !keep->CanBecomeKey() || PassOverPanel(impl, *keep))
            return;
        keep->OrderFront();
        keep->MakeKey();
        keep->MakeMain();
    });
}

// Dropped files arrive as a drop at the pointer.
void DropFiles(const std::vector<std::string>& paths)
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    FileDrop::DropAt(Point{double(x), SdlBackend::Impl::MainHeight() - y}, paths);
}

bool HandleWindowEvent(SdlBackend& backend, SdlBackend::Impl& impl, const SDL_WindowEvent& event)
{
    Window* window = impl.ModelWindow(event.windowID);
    SdlSurface* surface = window ? impl.SurfaceOf(window->Number()) : nullptr;
    if (!window || !surface)
        return true;
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
        surface->applied.x = event.data1;
        surface->applied.y = event.data2;
        QueueGeometry(impl, *window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        surface->applied.w = event.data1;
        surface->applied.h = event.data2;
        QueueGeometry(impl, *window);
        break;
    case SDL_WINDOWEVENT_CLOSE: {
        Ref<Window> keep(window);
        impl.windowManagerActions.push_back([keep] { UserWindowActions::Close(*keep); });
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (!surface->popUp)
            QueueFocus(impl, *window);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: impl.focusLost = true; break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED: {
        // The person iconified the window, or brought it back from its icon.
        Ref<Window> keep(window);
        const bool iconified = event.event == SDL_WINDOWEVENT_MINIMIZED;
        impl.windowManagerActions.push_back([keep, iconified] {
            if (keep->IsMiniaturized() != iconified)
                WindowServer::Shared().SetIconified(*keep, iconified);
        });
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
        if (window->BackingImage())
            backend.Present(*window, *window->BackingImage(), {});
        break;
    default: break;
    }
    return true;
}

} // namespace

bool HandleDesktopEvent(SdlBackend& backend, SdlBackend::Impl& impl, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT: return HandleWindowEvent(backend, impl, event.window);
    case SDL_DROPBEGIN: impl.droppedFiles.clear(); return true;
    case SDL_DROPFILE:
        if (event.drop.file && impl.droppedFiles.size() < kMaxDroppedFiles)
            impl.droppedFiles.emplace_back(event.drop.file);
        SDL_free(event.drop.file);
        return true;
    case SDL_DROPTEXT: SDL_free(event.drop.file); return true;
    case SDL_DROPCOMPLETE:
        if (!impl.droppedFiles.empty()) {
            std::vector<std::string> paths;
            paths.swap(impl.droppedFiles);
            impl.windowManagerActions.push_back([paths] { DropFiles(paths); });
        }
        return true;
    case SDL_CLIPBOARDUPDATE: ++impl.clipboardChanges; return true;
    case SDL_DISPLAYEVENT:
        impl.windowManagerActions.push_back([&backend] { Screens::Set(backend.ReportScreens()); });
        return true;
    case SDL_QUIT: return true; // quitting is the model's decision
    default: return false;
    }
}

} // namespace plat
