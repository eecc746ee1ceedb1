#include "platform/gl/GLView.h"
#include "platform/gl/GLContext.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/PresentPacer.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cmath>

namespace plat {
namespace {

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

struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

struct VisibleParts {
    PixelBox frame;               // the view's frame: its top-left is the picture's
    std::vector<PixelBox> boxes;  // where the picture shows, within the picture's size
};

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

// The pixels of the window image inside `area` (view coordinates) through which a picture of
// the given size shows.
VisibleParts VisiblePartsOf(const GLView& view, const Rect& area, const Bitmap& image, int pictureWidth,
                            int pictureHeight)
{
    VisibleParts parts;
    const std::vector<Rect> whole{view.Bounds()};
    const std::vector<Rect>& clips = view.ClipRects() ? *view.ClipRects() : whole;
    // The view's top-left corner in the window image, the picture's top-left pixel.
    parts.frame = ToTopDown(view.ConvertRectToWindow(view.Bounds()), image.Height());
    for (const Rect& part : clips) {
        const Rect visible = Intersection(Intersection(part, area), view.Bounds());
        if (visible.width <= 0 || visible.height <= 0)
            continue;
        PixelBox box = ToTopDown(view.ConvertRectToWindow(visible), image.Height());
        box.left = std::max({box.left, 0, parts.frame.left});
        box.top = std::max({box.top, 0, parts.frame.top});
        box.right = std::min({box.right, image.Width(), parts.frame.left + pictureWidth});
        box.bottom = std::min({box.bottom, image.Height(), parts.frame.top + pictureHeight});
        if (!box.Empty())
            parts.boxes.push_back(box);
    }
    return parts;
}

} // namespace

bool GLView::Present(GLContext& context, bool opaqueDrawn)
{
    const int width = context.SurfaceWidth();
    const int height = context.SurfaceHeight();
    if (width <= 0 || height <= 0)
        return false;
    Window* window = GetWindow();
    Bitmap* image = window ? window->MutableBackingImage() : nullptr;
    if (!image || image->Empty()) {
        // No image to show it in yet: the display pass copies the picture once there is one.
        if (fPicture.Width() != width || fPicture.Height() != height)
            fPicture = Bitmap(width, height);
        if (fPicture.Empty()
            || !context.ReadPixels(0, 0, width, height, fPicture.Row(0), static_cast<size_t>(fPicture.Stride()),
                                   opaqueDrawn))
            return false;
        fPictureCurrent = true;
        fPresentedSurface = context.SurfaceSerial();
        return true;
    }
    fPictureCurrent = false;
    fPresentedSurface = context.SurfaceSerial();
    if (IsHidden())
        return true;
    const VisibleParts parts = VisiblePartsOf(*this, Bounds(), *image, width, height);
    std::vector<PixelRect> changed;
    for (const PixelBox& box : parts.boxes) {
        const int w = box.right - box.left, h = box.bottom - box.top;
        if (!context.ReadPixels(box.left - parts.frame.left, box.top - parts.frame.top, w, h,
                                image->Row(box.top) + box.left, static_cast<size_t>(image->Stride()), opaqueDrawn))
            return false;
        changed.push_back(PixelRect{box.left, box.top, w, h});
    }
    if (window->IsVisible() && !changed.empty())
        PresentPacer::Shared().Changed(*window, changed);
    return true;
}

const Bitmap& GLView::Picture()
{
    RefreshPicture();
    return fPicture;
}

void GLView::RefreshPicture()
{
    if (fPictureCurrent || fPresentedSurface == 0)
        return;
    (void)WithSurface([&](GLContext& context) {
        // A surface made anew since (placed or sized again) holds nothing presented.
        if (context.SurfaceSerial() != fPresentedSurface)
            return;
        const int width = context.SurfaceWidth(), height = context.SurfaceHeight();
        if (fPicture.Width() != width || fPicture.Height() != height)
            fPicture = Bitmap(width, height);
        fPictureCurrent = !fPicture.Empty()
            && context.ReadPixels(fPicture.Row(0), static_cast<size_t>(fPicture.Stride()));
    });
}

bool GLView::WithSurface(const std::function<void(GLContext&)>&)
{
    return false;
}

void GLView::DrawRect(const Rect& dirty)
{
    RefreshPicture();
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
    if (!image || fPicture.Empty() || !fPictureCurrent || IsHidden())
        return;
    const VisibleParts parts = VisiblePartsOf(*this, area, *image, fPicture.Width(), fPicture.Height());
    for (const PixelBox& box : parts.boxes)
        for (int y = box.top; y < box.bottom; ++y) {
            const uint32_t* from = fPicture.Row(y - parts.frame.top) + (box.left - parts.frame.left);
            std::copy(from, from + (box.right - box.left), image->Row(y) + box.left);
        }
}

} // namespace plat
