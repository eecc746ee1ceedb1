#include "platform/window/sdl/SdlActivation.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plat {

namespace {

// The X server time an input event of the person carries; 0 for any other event.
unsigned long UserTimeOf(const XEvent& event)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease: return event.xkey.time;
    case ButtonPress:
    case ButtonRelease: return event.xbutton.time;
    case MotionNotify: return event.xmotion.time;
    default: return 0;
    }
}

int KeepUserTime(void* impl, SDL_Event* event)
{
    if (event->type != SDL_SYSWMEVENT)
        return 1;
    const SDL_SysWMmsg* message = event->syswm.msg;
    if (message && message->subsystem == SDL_SYSWM_X11)
        if (const unsigned long time = UserTimeOf(message->msg.x11.event))
            static_cast<SdlBackend::Impl*>(impl)->userTime = time;
    return 0;
}

} // namespace

void WatchUserTime(SdlBackend::Impl& impl)
{
    SDL_SetEventFilter(KeepUserTime, &impl);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void StopWatchingUserTime()
{
    SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
    SDL_SetEventFilter(nullptr, nullptr);
}

void RequestActivation(const SdlBackend::Impl& impl, SDL_Window* sdl)
{
    const SDL_SysWMinfo info = WindowInfo(sdl);
    Display* display = info.info.x11.display;
    // An unmapped window (iconified, or not yet shown) is left as it is.
    XWindowAttributes attributes;
    if (!display || !XGetWindowAttributes(display, info.info.x11.window, &attributes) ||
        attributes.map_state == IsUnmapped)
        return;
    XRaiseWindow(display, info.info.x11.window);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = info.info.x11.window;
    request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = 1; // the request comes from an application
    request.xclient.data.l[1] = long(impl.userTime);
    request.xclient.data.l[2] = long(WindowInfo(SDL_GetKeyboardFocus()).info.x11.window);
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XFlush(display);
}

void MarkModal(SDL_Window* sdl)
{
    const SDL_SysWMinfo info = WindowInfo(sdl);
    Display* display = info.info.x11.display;
    if (!display)
        return;
    // Joins the states SDL wrote when it made the window (or the window manager left on it
    // when it was last hidden); a state named twice is one state.
    const Atom modal = XInternAtom(display, "_NET_WM_STATE_MODAL", False);
    XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeAppend, reinterpret_cast<const unsigned char*>(&modal), 1);
}

} // namespace plat
