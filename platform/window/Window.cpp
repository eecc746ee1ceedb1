#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

namespace plat {

Ref<Window> Window::Make(const Rect& contentRect, uint32_t styleMask, WindowClass windowClass)
{
    return Ref<Window>::Adopt(new Window(contentRect, styleMask, windowClass));
}

Window::Window(const Rect& contentRect, uint32_t styleMask, WindowClass windowClass)
    : fStyleMask(styleMask), fClass(windowClass)
{
    fFrame = FrameRectForContentRect(contentRect);
    if (IsPanel())
        hidesOnDeactivate = true;
    fNumber = WindowServer::Shared().Register(this);
    SetContentView(View::Make(Rect{0, 0, contentRect.width, contentRect.height}).Get());
}

Window::~Window()
{
    WindowServer::Shared().Unregister(this);
    if (fContentView)
        fContentView->AttachToWindow(nullptr);
}

void Window::SetLevel(int32_t level)
{
    fLevel = level;
    WindowServer::Shared().LevelChanged(*this);
}

void Window::SetTitle(std::string title)
{
    if (title == fTitle)
        return;
    fTitle = std::move(title);
    WindowServer::Shared().FrameChanged(*this); // the desktop's title bar shows it
}

void Window::SetShowsMenuBar(bool shows)
{
    if (shows == fShowsMenuBar)
        return;
    fShowsMenuBar = shows;
    SetMenuBarNeedsDisplay();
    WindowServer::Shared().FrameChanged(*this); // the surface grows or shrinks by the bar
}

void Window::SetMenuBarNeedsDisplay()
{
    fMenuBarNeedsDisplay = true;
    fViewsNeedDisplay = true;
}

Rect Window::FrameRectForContentRect(const Rect& content) const
{
    Rect frame = content;
    frame.height += TitleBarHeight(fStyleMask);
    return frame;
}

Rect Window::ContentRectForFrameRect(const Rect& frame) const
{
    Rect content = frame;
    content.height -= TitleBarHeight(fStyleMask);
    if (content.height < 0)
        content.height = 0;
    return content;
}

void Window::SetFrame(const Rect& frame, bool display)
{
    const Rect old = fFrame;
    fFrame = frame;
    const bool resized = old.width != frame.width || old.height != frame.height;
    const bool moved = old.x != frame.x || old.y != frame.y;
    if (fContentView) {
        const Rect content = ContentRect();
        fContentView->SetFrame(Rect{0, 0, content.width, content.height});
        if (display && resized)
            fContentView->SetNeedsDisplay();
    }
    WindowServer::Shared().FrameChanged(*this);
    if (resized && fDelegate)
        fDelegate->DidResize(*this);
    if (moved && fDelegate)
        fDelegate->DidMove(*this);
}

Point Window::ConvertBaseToScreen(const Point& p) const
{
    return Point{p.x + fFrame.x, p.y + fFrame.y};
}

Point Window::ConvertScreenToBase(const Point& p) const
{
    return Point{p.x - fFrame.x, p.y - fFrame.y};
}

void Window::SetContentView(View* view)
{
    Ref<View> keep(view);
    if (fContentView) {
        fContentView->AttachToWindow(nullptr);
        if (fFirstResponder && fFirstResponder->GetWindow() != this)
            fFirstResponder = nullptr;
    }
    fContentView = keep;
    if (!view)
        return;
    view->RemoveFromSuperview();
    const Rect content = ContentRect();
    view->SetFrame(Rect{0, 0, content.width, content.height});
    view->AttachToWindow(this);
    view->SetNeedsDisplay();
}

bool Window::MakeFirstResponder(View* view)
{
    if (view && view->GetWindow() != this)
        return false;
    fFirstResponder = view;
    return true;
}

View* Window::FieldEditor(View* client)
{
    return fDelegate ? fDelegate->FieldEditor(*this, client) : nullptr;
}

bool Window::IsVisible() const { return WindowServer::Shared().IsVisible(*this); }
bool Window::IsKey() const { return WindowServer::Shared().KeyWindow() == this; }
bool Window::IsMain() const { return WindowServer::Shared().MainWindow() == this; }
void Window::OrderFront() { WindowServer::Shared().OrderFront(*this); }
void Window::OrderBack() { WindowServer::Shared().OrderBack(*this); }
void Window::OrderOut() { WindowServer::Shared().OrderOut(*this); }
void Window::OrderRelative(OrderPlace place, uint32_t otherNumber)
{
    WindowServer::Shared().OrderRelative(*this, place, otherNumber);
}
void Window::MakeKey() { WindowServer::Shared().MakeKey(*this); }
void Window::MakeMain() { WindowServer::Shared().MakeMain(*this); }

void Window::MakeKeyAndOrderFront()
{
    OrderFront();
    MakeKey();
    MakeMain();
}

void Window::Close()
{
    Ref<Window> keep(this);
    WindowServer::Shared().Notify(WindowNotice::WillClose, *this);
    OrderOut();
}

bool Window::CanBecomeKey() const
{
    return (fStyleMask & (kStyleTitled | kStyleResizable)) != 0;
}

bool Window::CanBecomeMain() const
{
    return !IsPanel() && CanBecomeKey();
}

} // namespace plat
