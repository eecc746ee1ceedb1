#include "platform/window/sdl/XServerDriver.h"
#include "platform/window/Screens.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <thread>

namespace plat {

namespace {

Display* AsDisplay(void* display) { return static_cast<Display*>(display); }

// The root window's row of a model y (bottom-up from the main screen's bottom).
int RootY(double y)
{
    const Screen main = Screens::Main();
    return int(std::lround(main.frame.y + main.frame.height - y));
}

// Windows come and go while the tree is read: an error about a window that is gone is no fault.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

// For its scope, errors of this connection's requests are ignored instead of ending the process
// (Xlib's default); the requests before and within it are completed under the right handler.
class ErrorsIgnored {
public:
    explicit ErrorsIgnored(Display* display) : fDisplay(display)
    {
        XSync(fDisplay, False);
        fPrevious = XSetErrorHandler(IgnoreError);
    }
    ~ErrorsIgnored()
    {
        XSync(fDisplay, False);
        XSetErrorHandler(fPrevious);
    }
    ErrorsIgnored(const ErrorsIgnored&) = delete;
    ErrorsIgnored& operator=(const ErrorsIgnored&) = delete;

private:
    Display* fDisplay;
    int (*fPrevious)(Display*, XErrorEvent*) = nullptr;
};

// The name of the window or of the first named window below it, a few levels deep.
std::string NameBelow(Display* display, ::Window window, int depth)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        std::string text = name;
        XFree(name);
        return text;
    }
    if (depth <= 0)
        return {};
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::string found;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && found.empty(); ++i)
            found = NameBelow(display, children[i], depth - 1);
        if (children)
            XFree(children);
    }
    return found;
}

// The title of the focused window or of the nearest named window around it.
std::string FocusName(Display* display)
{
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return {};
    // Up from the focus to the first window with a name.
    for (::Window at = focus; at && at != DefaultRootWindow(display);) {
        char* name = nullptr;
        if (XFetchName(display, at, &name) && name) {
            std::string text = name;
            XFree(name);
            return text;
        }
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, at, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        at = parent;
    }
    return {};
}

} // namespace

XServerDriver::XServerDriver()
{
    fDisplay = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    fXTest = fDisplay && XTestQueryExtension(AsDisplay(fDisplay), &event, &error, &major, &minor);
}

XServerDriver::~XServerDriver()
{
    if (fDisplay)
        XCloseDisplay(AsDisplay(fDisplay));
}

bool XServerDriver::IsUsable() const
{
    return fDisplay && fXTest;
}

void XServerDriver::MoveTo(const Point& screen)
{
    if (!IsUsable())
        return;
    XTestFakeMotionEvent(AsDisplay(fDisplay), -1, int(std::lround(screen.x)), RootY(screen.y) - 1, CurrentTime);
    Sync();
}

void XServerDriver::Press(int button)
{
    if (!IsUsable())
        return;
    XTestFakeButtonEvent(AsDisplay(fDisplay), unsigned(button), True, CurrentTime);
    Sync();
}

void XServerDriver::Release(int button)
{
    if (!IsUsable())
        return;
    XTestFakeButtonEvent(AsDisplay(fDisplay), unsigned(button), False, CurrentTime);
    Sync();
}

void XServerDriver::Wait(int ms)
{
    if (ms <= 0)
        return;
    if (fWait) {
        fWait(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void XServerDriver::Click(const Point& screen, int button, int holdMs)
{
    MoveTo(screen);
    Press(button);
    Wait(holdMs);
    Release(button);
}

void XServerDriver::DoubleClick(const Point& screen)
{
    Click(screen);
    Wait(int(PersonTiming::kDoubleClickGapMs));
    Click(screen);
}

void XServerDriver::Glide(const Point& from, const Point& to)
{
    bool first = true;
    for (const Point& step : PersonTiming::DragSteps(from, {to})) {
        if (!first)
            Wait(int(PersonTiming::kDragStepMs));
        MoveTo(step);
        first = false;
    }
}

void XServerDriver::Drag(const Point& from, const std::vector<Point>& through, const Point& to)
{
    MoveTo(from);
    Press(1);
    std::vector<Point> path = through;
    path.push_back(to);
    int wait = int(PersonTiming::kDragSettleMs);
    for (const Point& step : PersonTiming::DragSteps(from, path)) {
        Wait(wait);
        MoveTo(step);
        wait = int(PersonTiming::kDragStepMs);
    }
    Wait(int(PersonTiming::kDragSettleMs));
    Release(1);
}

void XServerDriver::Key(const std::string& keyName, bool down)
{
    const KeySym sym = XStringToKeysym(keyName.c_str());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(AsDisplay(fDisplay), sym);
    if (code != 0)
        XTestFakeKeyEvent(AsDisplay(fDisplay), code, down ? True : False, CurrentTime);
}

void XServerDriver::Tap(const std::string& keyName, const std::vector<std::string>& held)
{
    if (!IsUsable())
        return;
    for (const std::string& modifier : held)
        Key(modifier, true);
    Key(keyName, true);
    Sync();
    Wait(int(PersonTiming::kKeyHoldMs));
    Key(keyName, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Key(*it, false);
    Sync();
    Wait(int(PersonTiming::kKeyPauseMs));
}

void XServerDriver::Type(const std::string& text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ')
            Tap("space");
        else if (std::isupper(u))
            Tap(std::string(1, char(std::tolower(u))), {"Shift_L"});
        else if (std::isalnum(u))
            Tap(std::string(1, c));
        else if (c == '.')
            Tap("period");
        else if (c == ':')
            Tap("colon", {"Shift_L"}); // the shifted semicolon of the US layout
        else if (c == '-')
            Tap("minus");
        else if (c == '/')
            Tap("slash");
    }
}

void XServerDriver::Sync()
{
    if (fDisplay)
        XSync(AsDisplay(fDisplay), False);
}

Rect XServerDriver::WindowArea(unsigned long window)
{
    if (!fDisplay || !window)
        return Rect{};
    Display* display = AsDisplay(fDisplay);
    // The window may be gone by now (a program's window closed or made again): no area then,
    // rather than the default handler's exit.
    const ErrorsIgnored guard(display);
    XWindowAttributes attributes;
    int x = 0, y = 0;
    ::Window child = 0;
    const bool known = XGetWindowAttributes(display, window, &attributes) &&
                       XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    if (!known)
        return Rect{};
    const Screen main = Screens::Main();
    const double bottom = main.frame.y + main.frame.height;
    return Rect{double(x), bottom - (y + attributes.height), double(attributes.width), double(attributes.height)};
}

std::vector<XServerDriver::MappedWindow> XServerDriver::MappedWindows()
{
    std::vector<MappedWindow> windows;
    if (!fDisplay)
        return windows;
    Display* display = AsDisplay(fDisplay);
    const ErrorsIgnored guard(display);
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return windows;
    // The tree lists the root's children bottom to top.
    for (unsigned i = count; i-- > 0;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable ||
            attributes.c_class == InputOnly)
            continue;
        MappedWindow window;
        window.id = children[i];
        window.area = WindowArea(children[i]);
        window.unmanaged = attributes.override_redirect;
        window.title = NameBelow(display, children[i], 3);
        windows.push_back(window);
    }
    if (children)
        XFree(children);
    return windows;
}

std::string XServerDriver::FocusTitle()
{
    if (!fDisplay)
        return {};
    const ErrorsIgnored guard(AsDisplay(fDisplay));
    return FocusName(AsDisplay(fDisplay));
}

std::string XServerDriver::ActiveTitle()
{
    if (!fDisplay)
        return {};
    Display* display = AsDisplay(fDisplay);
    const ErrorsIgnored guard(display);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    if (XGetWindowProperty(display, DefaultRootWindow(display), active, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) != Success || !data)
        return {};
    const ::Window window = count == 1 && format == 32 ? *reinterpret_cast<::Window*>(data) : None;
    XFree(data);
    return window == None ? std::string() : NameBelow(display, window, 0);
}

Bitmap XServerDriver::Grab(const Rect& area)
{
    if (!fDisplay)
        return Bitmap();
    const int x = int(std::lround(area.x)), y = RootY(area.y + area.height);
    const int width = int(std::lround(area.width)), height = int(std::lround(area.height));
    Display* display = AsDisplay(fDisplay);
    // The server refuses an area that reaches off the screen (as a window's may in the middle of
    // a move): nothing is grabbed then.
    const int screen = DefaultScreen(display);
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > DisplayWidth(display, screen) ||
        y + height > DisplayHeight(display, screen))
        return Bitmap();
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, unsigned(width), unsigned(height), AllPlanes,
                              ZPixmap);
    if (!image)
        return Bitmap();
    Bitmap out(width, height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            out.SetPixel(column, row, 0xFF000000u | uint32_t(XGetPixel(image, column, row) & 0xFFFFFF));
    XDestroyImage(image);
    return out;
}

} // namespace plat
