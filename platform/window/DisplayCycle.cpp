#include "platform/window/DisplayCycle.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuTracking.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/PresentPacer.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

const Color kWindowBackground{236 / 255.0, 236 / 255.0, 236 / 255.0, 1.0};

// A window-base rectangle as the whole pixels of an image of the given height that it touches.
PixelRect ToPixels(const Rect& r, double imageHeight)
{
    const double left = std::floor(r.x);
    const double right = std::ceil(r.x + r.width);
    const double top = std::floor(imageHeight - (r.y + r.height));
    const double bottom = std::ceil(imageHeight - r.y);
    return PixelRect{int(left), int(top), int(right - left), int(bottom - top)};
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || bottom <= top)
        return PixelRect{};
    return PixelRect{left, top, right - left, bottom - top};
}

bool IsEmpty(const PixelRect& r) { return r.width <= 0 || r.height <= 0; }

struct Pass {
    Window& window;
    Canvas& canvas;
    double height;                 // of the backing image
    std::vector<PixelRect> dirty;  // whole pixels to repaint
};

void CollectDirty(View& view, Pass& pass, const PixelRect& image)
{
    for (const Rect& r : view.DirtyRects()) {
        const PixelRect px = Intersect(ToPixels(view.ConvertRectToWindow(r), pass.height), image);
        if (!IsEmpty(px))
            pass.dirty.push_back(px);
    }
    view.ClearDirty();
    for (const auto& sub : view.Subviews())
        CollectDirty(*sub, pass, image);
}

// A pixel rectangle of the image in the view's own coordinates.
Rect ToView(const View& view, const PixelRect& px, const Rect& inWindow, double imageHeight)
{
    const double viewTop = imageHeight - (inWindow.y + inWindow.height); // image row of the view's top
    const double x = px.x - inWindow.x;
    if (view.IsFlipped())
        return Rect{x, px.y - viewTop, double(px.width), double(px.height)};
    return Rect{x, inWindow.height - (px.y - viewTop) - px.height, double(px.width), double(px.height)};
}

Rect Union(const std::vector<Rect>& rects)
{
    Rect u = rects.front();
    for (const Rect& r : rects) {
        const double right = std::max(u.x + u.width, r.x + r.width), top = std::max(u.y + u.height, r.y + r.height);
        u.x = std::min(u.x, r.x);
        u.y = std::min(u.y, r.y);
        u.width = right - u.x;
        u.height = top - u.y;
    }
    return u;
}

void DrawView(View& view, Pass& pass, const PixelRect& visible)
{
    if (view.IsHidden())
        return;
    const Rect inWindow = view.ConvertRectToWindow(view.Bounds());
    const PixelRect area = Intersect(ToPixels(inWindow, pass.height), visible);
    if (IsEmpty(area))
        return;
    std::vector<PixelRect> share;
    for (const PixelRect& d : pass.dirty)
        if (PixelRect part = Intersect(d, area); !IsEmpty(part))
            share.push_back(part);
    if (!share.empty()) {
        CurrentDrawing drawing{&pass.canvas, &pass.window, &view, {}};
        for (const PixelRect& px : share)
            drawing.rects.push_back(ToView(view, px, inWindow, pass.height));
        pass.canvas.Save();
        pass.canvas.ClipToRects(share);
        const double viewTop = pass.height - (inWindow.y + inWindow.height);
        if (view.IsFlipped()) {
            pass.canvas.Translate(inWindow.x, viewTop);
        } else {
            pass.canvas.Translate(inWindow.x, viewTop + inWindow.height);
            pass.canvas.Scale(1, -1);
        }
        {
            CurrentDrawingScope scope(drawing);
            view.DrawRect(Union(drawing.rects));
        }
        pass.canvas.Restore();
    }
    const auto subviews = view.Subviews(); // a view may change the list while it draws
    for (const auto& sub : subviews)
        DrawView(*sub, pass, area);
}

Bitmap& BackingFor(Window& window, int width, int height)
{
    Bitmap* image = window.MutableBackingImage();
    if (!image || image->Width() != width || image->Height() != height) {
        window.SetBackingImage(std::make_shared<Bitmap>(width, height));
        image = window.MutableBackingImage();
        if (window.ContentView())
            window.ContentView()->SetNeedsDisplay();
        if (window.ShowsMenuBar())
            window.SetMenuBarNeedsDisplay();
    }
    return *image;
}

} // namespace

void DisplayCycle::DrawWindowBackground(Canvas& canvas, const std::vector<PixelRect>& rects)
{
    canvas.Save();
    canvas.SetFillColor(kWindowBackground);
    canvas.SetBlendMode(BlendMode::Copy);
    for (const PixelRect& r : rects)
        canvas.FillRect(Rect{double(r.x), double(r.y), double(r.width), double(r.height)});
    canvas.Restore();
}

bool DisplayCycle::Display(Window& window)
{
    View* content = window.ContentView();
    if (!content || !window.ViewsNeedDisplay())
        return false;
    Ref<Window> keep(&window);
    window.ClearViewsNeedDisplay();
    const Rect size = content->Frame();
    const int width = int(std::ceil(size.width)), height = int(std::ceil(size.height));
    const int bar = int(window.MenuBarHeight());
    Bitmap& image = BackingFor(window, width, height + bar);
    if (image.Empty()) {
        content->ClearDirty();
        return false;
    }
    Canvas canvas(image);
    // The content fills the image below the bar; window coordinates count from its bottom.
    Pass pass{window, canvas, double(height + bar), {}};
    const PixelRect whole{0, bar, width, height};
    CollectDirty(*content, pass, whole);
    if (!pass.dirty.empty()) {
        DrawWindowBackground(canvas, pass.dirty);
        DrawView(*content, pass, whole);
    }
    if (bar > 0 && window.MenuBarNeedsDisplay()) {
        const PixelRect strip{0, 0, width, bar};
        MenuBar::Draw(canvas, strip, MenuTracking::Shared().OpenTitle(window));
        pass.dirty.push_back(strip);
    }
    window.ClearMenuBarNeedsDisplay();
    if (pass.dirty.empty())
        return false;
    PresentPacer::Shared().PresentNow(window, image, pass.dirty);
    return true;
}

int DisplayCycle::DisplayIfNeeded()
{
    int painted = 0;
    for (Window* window : WindowServer::Shared().OrderedWindows())
        if (window->IsVisible() && Display(*window))
            ++painted;
    return painted;
}

} // namespace plat
