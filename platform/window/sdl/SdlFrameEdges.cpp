#include "platform/window/sdl/SdlFrameEdges.h"
#include "platform/Clock.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plat {

namespace {

// The tallest title bar or widest border a window manager gives a frame.
constexpr int kLargestFrameEdge = 100;
// How long a window manager may take to answer, in polls of kPollUs.
constexpr int kPolls = 60;
constexpr uint64_t kPollUs = 5000;

struct XTarget {
    Display* display = nullptr;
    ::Window window = 0;
};

XTarget TargetOf(SDL_Window* sdl)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!sdl || !SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    return {info.info.x11.display, info.info.x11.window};
}

// The frame edges the window manager wrote on the window: left, right, top, bottom.
std::optional<FrameEdges> ReadEdges(const XTarget& x)
{
    const Atom extents = XInternAtom(x.display, "_NET_FRAME_EXTENTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x.display, x.window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) != Success)
        return std::nullopt;
    std::optional<FrameEdges> edges;
    if (data && type == XA_CARDINAL && format == 32 && count == 4) {
        const long* values = reinterpret_cast<const long*>(data);
        const FrameEdges read{int(values[0]), int(values[2])};
        if (PlausibleFrameEdges(read))
            edges = read;
    }
    if (data)
        XFree(data);
    return edges;
}

// Whether the window manager says it answers questions about frame edges.
bool AnswersEdgeQuestions(Display* display)
{
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &after, &data) != Success)
        return false;
    bool found = false;
    if (data && type == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == request;
    }
    if (data)
        XFree(data);
    return found;
}

// Asks the window manager for the edges it would give the unmapped window; waits a little.
std::optional<FrameEdges> AskEdges(const XTarget& x)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x.window;
    event.xclient.message_type = XInternAtom(x.display, "_NET_REQUEST_FRAME_EXTENTS", False);
    event.xclient.format = 32;
    XSendEvent(x.display, DefaultRootWindow(x.display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    for (int i = 0; i < kPolls; ++i) {
        XSync(x.display, False);
        if (std::optional<FrameEdges> edges = ReadEdges(x))
            return edges;
        SleepUs(kPollUs);
    }
    return std::nullopt;
}

} // namespace

bool PlausibleFrameEdges(const FrameEdges& edges)
{
    return edges.left >= 0 && edges.top >= 0 && edges.left <= kLargestFrameEdge && edges.top <= kLargestFrameEdge;
}

void PlaceFrameBeforeFirstShow(SdlBackend::Impl& impl, SdlSurface& surface, Uint32 kind, const SDL_Rect& client)
{
    const XTarget x = TargetOf(surface.sdl);
    if (!x.display)
        return;
    // Asked each time (a window manager may decorate windows differently); a late answer
    // falls back on what an earlier window of the kind was told.
    if (!impl.answersEdgeQuestions)
        impl.answersEdgeQuestions = AnswersEdgeQuestions(x.display);
    auto known = impl.frameEdges.find(kind);
    if (std::optional<FrameEdges> asked = *impl.answersEdgeQuestions ? AskEdges(x) : std::nullopt)
        known = impl.frameEdges.insert_or_assign(kind, *asked).first;
    if (known == impl.frameEdges.end())
        return;
    const FrameEdges& edges = known->second;
    if (edges.left == 0 && edges.top == 0)
        return;
    // Unmapped, the window is where the frame will go; SDL keeps the client's place.
    XMoveWindow(x.display, x.window, client.x - edges.left, client.y - edges.top);
    XFlush(x.display);
}

} // namespace plat
