#include "shell/draw/CDrawContext.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "shell/windows/ScreenCoords.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int32_t RoundToInt(double value)
{
    double rounded = std::round(value);  // halves away from zero
    rounded = std::clamp(rounded, double(std::numeric_limits<int32_t>::min()),
                         double(std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(rounded);
}

// The display cycle's drawing of the window's content, when one is under way for this window.
bool FindCurrentDrawing(plat::Window* window, plat::Canvas*& canvas, std::vector<plat::Rect>& rects)
{
    const plat::CurrentDrawing* drawing = plat::CurrentDrawing::Get();
    if (!drawing || drawing->window != window || !drawing->canvas)
        return false;
    canvas = drawing->canvas;
    rects = drawing->rects;
    return true;
}

} // namespace

plat::Canvas* CDrawContext::MeasuringCanvas()
{
    // One process-wide pixel to measure against; it lives until the process ends.
    static plat::Bitmap pixel(1, 1);
    static plat::Canvas canvas(pixel);
    return &canvas;
}

CDrawContext::CDrawContext(plat::Window* window)
{
    plat::Canvas* canvas = nullptr;
    std::vector<plat::Rect> rects;
    if (!window || !window->ContentView() || !FindCurrentDrawing(window, canvas, rects) || !canvas)
        return;
    fWindow = window;
    BeginDrawing(canvas, rects);
}

CDrawContext::CDrawContext(plat::Window* window, Kind) : fWindow(window)
{
    if (!window)
        return;
    SetContext(MeasuringCanvas());
    plat::View* content = window->ContentView();
    CLRect clip;
    if (content) {
        clip = CLRect{0, 0, RoundToInt(content->Frame().width), RoundToInt(content->Frame().height)};
    }
    SetClip(LRegion(clip));
}

CDrawContext CDrawContext::Measure(plat::Window* window) { return CDrawContext(window, Kind::Measuring); }

CDrawContext::~CDrawContext()
{
    if (plat::Canvas* canvas = Context()) {
        canvas->SetFillColor({0, 0, 0, 0});
        canvas->SetStrokeColor({0, 0, 0, 0});
        if (fInDrawRect)
            canvas->Restore();  // the flip and clip of BeginDrawing
    }
}

void CDrawContext::BeginDrawing(plat::Canvas* canvas, const std::vector<plat::Rect>& rects)
{
    plat::View* content = fWindow->ContentView();
    double height = content->Frame().height;
    bool flip = !content->IsFlipped();
    SetContext(canvas);
    fInDrawRect = true;
    // The canvas outlives this port; its state comes back when the port ends, so that
    // another context made in the same drawing pass starts from the same place.
    canvas->Save();
    LRegion clip;
    for (const plat::Rect& r : rects) {
        plat::Rect local = r;
        if (flip)
            local.y = height - r.y - r.height;
        clip.Union(LRegion(CLRect::FromCGRect(local)));
    }
    SetClip(clip);
    if (flip) {
        // y grows downward from the content's top-left corner.
        canvas->Translate(0, height);
        canvas->Scale(1, -1);
    }
}

bool CDrawContext::ContentOrigin(CLPoint& origin) const
{
    plat::View* content = fWindow ? fWindow->ContentView() : nullptr;
    if (!content)
        return false;
    plat::Point topLeft{0, content->IsFlipped() ? 0.0 : content->Frame().height};
    plat::Point onScreen = fWindow->ConvertBaseToScreen(content->ConvertToWindow(topLeft));
    origin = NSPointToPoint(onScreen, GetMainScreenHeight());
    return true;
}

CLPoint CDrawContext::GlobalToLocal(const CLPoint& point) const
{
    CLPoint o;
    if (!ContentOrigin(o))
        return point;
    CLPoint origin = Origin();
    return {point.x - o.x - origin.x, point.y - o.y - origin.y};
}

CLPoint CDrawContext::LocalToGlobal(const CLPoint& point) const
{
    CLPoint o;
    if (!ContentOrigin(o))
        return point;
    CLPoint origin = Origin();
    return {point.x + o.x + origin.x, point.y + o.y + origin.y};
}
