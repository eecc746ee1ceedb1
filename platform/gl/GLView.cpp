#include "platform/gl/GLView.h"
#include "platform/gl/GLContext.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <cmath>

namespace plat {
namespace {

struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

Rect Intersection(const Rect& a, const Rect& b)
{
    const double left = std::max(a.x, b.x);
    const double bottom = std::max(a.y, b.y);
    const double right = std::min(a.x + a.width, b.x + b.width);
    const double top = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || top <= bottom)
        return Rect{};
    return Rect{left, bottom, right - left, top - bottom};
}

// A bottom-up rectangle of an image `height` pixels high as rows from the top.
PixelBox ToTopDown(const Rect& r, int height)
{
    PixelBox box;
    box.left = static_cast<int>(std::lround(r.x));
    box.right = static_cast<int>(std::lround(r.x + r.width));
    box.top = height - static_cast<int>(std::lround(r.y + r.height));
    box.bottom = height - static_cast<int>(std::lround(r.y));
    return box;
}

} // namespace

bool GLView::Present(GLContext& context)
{
    const int width = context.SurfaceWidth();
    const int height = context.SurfaceHeight();
    if (width <= 0 || height <= 0)
        return false;
    Bitmap picture(width, height);
    if (picture.Empty() || !context.ReadPixels(picture.Row(0), static_cast<size_t>(picture.Stride())))
        return false;
    fPicture = std::move(picture);
    CopyToWindowImage(Bounds());
    Window* window = GetWindow();
    if (window && window->IsVisible() && window->BackingImage()) {
        // Only the view's own pixels changed.
        const PixelBox box = ToTopDown(ConvertRectToWindow(Bounds()), window->BackingImage()->Height());
        const std::vector<PixelRect> changed{PixelRect{box.left, box.top, box.right - box.left, box.bottom - box.top}};
        WindowServer::Shared().Backend().Present(*window, *window->BackingImage(), changed);
    }
    return true;
}

void GLView::DrawRect(const Rect& dirty)
{
    // Inside a display pass only the rectangles being drawn are touched, not their union.
    const CurrentDrawing* drawing = CurrentDrawing::Get();
    if (!drawing || drawing->view != this) {
        CopyToWindowImage(dirty);
        return;
    }
    for (const Rect& rect : drawing->rects)
        CopyToWindowImage(rect);
}

void GLView::CopyToWindowImage(const Rect& area) const
{
    Window* window = GetWindow();
    Bitmap* image = window ? window->MutableBackingImage() : nullptr;
    if (!image || fPicture.Empty() || IsHidden())
        return;
    const std::vector<Rect> whole{Bounds()};
    const std::vector<Rect>& parts = fClips ? *fClips : whole;
    // The view's top-left corner in the window image, the picture's top-left pixel.
    const Rect frameInWindow = ConvertRectToWindow(Bounds());
    const PixelBox frameBox = ToTopDown(frameInWindow, image->Height());
    for (const Rect& part : parts) {
        const Rect visible = Intersection(Intersection(part, area), Bounds());
        if (visible.width <= 0 || visible.height <= 0)
            continue;
        PixelBox box = ToTopDown(ConvertRectToWindow(visible), image->Height());
        box.left = std::max({box.left, 0, frameBox.left});
        box.top = std::max({box.top, 0, frameBox.top});
        box.right = std::min({box.right, image->Width(), frameBox.left + fPicture.Width()});
        box.bottom = std::min({box.bottom, image->Height(), frameBox.top + fPicture.Height()});
        if (box.Empty())
            continue;
        for (int y = box.top; y < box.bottom; ++y) {
            const uint32_t* from = fPicture.Row(y - frameBox.top) + (box.left - frameBox.left);
            std::copy(from, from + (box.right - box.left), image->Row(y) + box.left);
        }
    }
}

} // namespace plat
