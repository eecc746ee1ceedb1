#include "platform/draw/Canvas.h"
#include "platform/draw/Bitmap.h"

#include <cairo.h>

#include <cmath>

namespace plat {

// The parts of the drawing state cairo does not keep for us: it has one source, we keep
// a fill and a stroke colour.
struct Canvas::State {
    Color fill{0.0, 0.0, 0.0, 1.0};
    Color stroke{0.0, 0.0, 0.0, 1.0};
    BlendMode blend = BlendMode::Normal;
};

struct Canvas::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::vector<State> saved;
    State state;
};

namespace {

cairo_operator_t OperatorFor(BlendMode mode)
{
    switch (mode) {
    case BlendMode::Normal: return CAIRO_OPERATOR_OVER;
    case BlendMode::Copy: return CAIRO_OPERATOR_SOURCE;
    case BlendMode::Clear: return CAIRO_OPERATOR_CLEAR;
    case BlendMode::Multiply: return CAIRO_OPERATOR_MULTIPLY;
    case BlendMode::Screen: return CAIRO_OPERATOR_SCREEN;
    case BlendMode::Overlay: return CAIRO_OPERATOR_OVERLAY;
    case BlendMode::Darken: return CAIRO_OPERATOR_DARKEN;
    case BlendMode::Lighten: return CAIRO_OPERATOR_LIGHTEN;
    case BlendMode::Difference: return CAIRO_OPERATOR_DIFFERENCE;
    case BlendMode::Xor: return CAIRO_OPERATOR_XOR;
    }
    return CAIRO_OPERATOR_OVER;
}

cairo_surface_t* SurfaceOver(const Bitmap& bitmap)
{
    if (bitmap.Empty())
        return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0);
    // cairo only reads a source surface, so lending it the const pixels is safe.
    auto* data = const_cast<unsigned char*>(bitmap.Bytes());
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, bitmap.Width(),
                                               bitmap.Height(), bitmap.Stride());
}

void SetSource(cairo_t* cr, const Color& c)
{
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

} // namespace

Canvas::Canvas(Bitmap& target) : fTarget(target), fImpl(std::make_unique<Impl>())
{
    fImpl->surface = SurfaceOver(target);
    fImpl->cr = cairo_create(fImpl->surface);
    cairo_set_fill_rule(fImpl->cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_line_width(fImpl->cr, 1.0);
}

Canvas::~Canvas()
{
    cairo_surface_flush(fImpl->surface);
    cairo_destroy(fImpl->cr);
    cairo_surface_destroy(fImpl->surface);
}

void* Canvas::NativeContext() const { return fImpl->cr; }

void Canvas::Save()
{
    cairo_save(fImpl->cr);
    fImpl->saved.push_back(fImpl->state);
    ++fDepth;
}

void Canvas::Restore()
{
    if (fImpl->saved.empty())
        return;
    cairo_restore(fImpl->cr);
    fImpl->state = fImpl->saved.back();
    fImpl->saved.pop_back();
    --fDepth;
}

// A transform that cannot be undone would put the cairo context into a lasting error state in
// which nothing draws any more, so such requests are ignored.
void Canvas::Translate(double dx, double dy)
{
    if (std::isfinite(dx) && std::isfinite(dy))
        cairo_translate(fImpl->cr, dx, dy);
}

void Canvas::Scale(double sx, double sy)
{
    if (std::isfinite(sx) && std::isfinite(sy) && sx != 0.0 && sy != 0.0)
        cairo_scale(fImpl->cr, sx, sy);
}

Point Canvas::Origin() const
{
    double x = 0.0, y = 0.0;
    cairo_user_to_device(fImpl->cr, &x, &y);
    return {x, y};
}

void Canvas::ClipToRects(const std::vector<PixelRect>& rects)
{
    cairo_t* cr = fImpl->cr;
    cairo_new_path(cr);
    // Every rectangle winds the same way, so the winding rule makes their union.
    for (const PixelRect& r : rects) {
        if (r.width > 0 && r.height > 0)
            cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    }
    cairo_clip(cr);  // an empty path clips everything away
}

void Canvas::ClipToRect(const Rect& rect)
{
    cairo_t* cr = fImpl->cr;
    cairo_new_path(cr);
    if (rect.width > 0 && rect.height > 0)
        cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
}

void Canvas::ClipToNothing()
{
    cairo_new_path(fImpl->cr);
    cairo_clip(fImpl->cr);
}

Rect Canvas::ClipBounds() const
{
    double x1, y1, x2, y2;
    cairo_clip_extents(fImpl->cr, &x1, &y1, &x2, &y2);
    if (x2 <= x1 || y2 <= y1)
        return {};
    return {x1, y1, x2 - x1, y2 - y1};
}

bool Canvas::ClipIsEmpty() const
{
    Rect bounds = ClipBounds();
    return bounds.width <= 0 || bounds.height <= 0;
}

void Canvas::SetFillColor(const Color& color) { fImpl->state.fill = color; }
void Canvas::SetStrokeColor(const Color& color) { fImpl->state.stroke = color; }
Color Canvas::FillColor() const { return fImpl->state.fill; }
Color Canvas::StrokeColor() const { return fImpl->state.stroke; }
void Canvas::SetLineWidth(double width) { cairo_set_line_width(fImpl->cr, width > 0 ? width : 0.0); }
double Canvas::LineWidth() const { return cairo_get_line_width(fImpl->cr); }

void Canvas::SetLineCap(LineCap cap)
{
    cairo_line_cap_t value = cap == LineCap::Round    ? CAIRO_LINE_CAP_ROUND
                             : cap == LineCap::Square ? CAIRO_LINE_CAP_SQUARE
                                                      : CAIRO_LINE_CAP_BUTT;
    cairo_set_line_cap(fImpl->cr, value);
}

void Canvas::SetBlendMode(BlendMode mode)
{
    fImpl->state.blend = mode;
    cairo_set_operator(fImpl->cr, OperatorFor(mode));
}

BlendMode Canvas::CurrentBlendMode() const { return fImpl->state.blend; }

void Canvas::SetAntialias(bool on)
{
    cairo_set_antialias(fImpl->cr, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void Canvas::Paint(bool stroke)
{
    cairo_t* cr = fImpl->cr;
    SetSource(cr, stroke ? fImpl->state.stroke : fImpl->state.fill);
    if (stroke)
        cairo_stroke(cr);
    else
        cairo_fill(cr);
}

void Canvas::FillRect(const Rect& rect)
{
    cairo_new_path(fImpl->cr);
    cairo_rectangle(fImpl->cr, rect.x, rect.y, rect.width, rect.height);
    Paint(false);
}

void Canvas::FillRects(const std::vector<PixelRect>& rects)
{
    cairo_new_path(fImpl->cr);
    for (const PixelRect& r : rects) {
        if (r.width > 0 && r.height > 0)
            cairo_rectangle(fImpl->cr, r.x, r.y, r.width, r.height);
    }
    Paint(false);
}

void Canvas::StrokeRect(const Rect& rect)
{
    cairo_new_path(fImpl->cr);
    cairo_rectangle(fImpl->cr, rect.x, rect.y, rect.width, rect.height);
    Paint(true);
}

void Canvas::ClearRect(const Rect& rect)
{
    cairo_t* cr = fImpl->cr;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Canvas::StrokeLine(Point from, Point to)
{
    cairo_new_path(fImpl->cr);
    cairo_move_to(fImpl->cr, from.x, from.y);
    cairo_line_to(fImpl->cr, to.x, to.y);
    Paint(true);
}

namespace {

void EllipsePath(cairo_t* cr, const Rect& b)
{
    cairo_new_path(cr);
    if (b.width <= 0 || b.height <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, b.x + b.width / 2, b.y + b.height / 2);
    cairo_scale(cr, b.width / 2, b.height / 2);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2 * 3.14159265358979323846);
    cairo_restore(cr);
}

} // namespace

void Canvas::FillEllipse(const Rect& bounds)
{
    EllipsePath(fImpl->cr, bounds);
    Paint(false);
}

void Canvas::StrokeEllipse(const Rect& bounds)
{
    EllipsePath(fImpl->cr, bounds);
    Paint(true);
}

void Canvas::BeginPath() { cairo_new_path(fImpl->cr); }
void Canvas::MoveTo(Point p) { cairo_move_to(fImpl->cr, p.x, p.y); }
void Canvas::LineTo(Point p) { cairo_line_to(fImpl->cr, p.x, p.y); }

void Canvas::CurveTo(Point c1, Point c2, Point end)
{
    cairo_curve_to(fImpl->cr, c1.x, c1.y, c2.x, c2.y, end.x, end.y);
}

void Canvas::AddRect(const Rect& rect) { cairo_rectangle(fImpl->cr, rect.x, rect.y, rect.width, rect.height); }
void Canvas::ClosePath() { cairo_close_path(fImpl->cr); }
void Canvas::FillPath() { Paint(false); }
void Canvas::StrokePath() { Paint(true); }
void Canvas::ClipToPath() { cairo_clip(fImpl->cr); }

void Canvas::DrawBitmap(const Bitmap& image, const Rect& dest, double opacity)
{
    DrawBitmapPart(image, {0.0, 0.0, double(image.Width()), double(image.Height())}, dest, opacity);
}

void Canvas::DrawBitmapPart(const Bitmap& image, const Rect& source, const Rect& dest, double opacity)
{
    if (image.Empty() || source.width <= 0 || source.height <= 0 || dest.width <= 0 || dest.height <= 0)
        return;
    if (source.x < 0 || source.y < 0 || source.x + source.width > image.Width() ||
        source.y + source.height > image.Height())
        return;  // a part must lie inside the image
    cairo_t* cr = fImpl->cr;
    cairo_surface_t* whole = SurfaceOver(image);
    // A sub-surface keeps scaling from sampling pixels outside the part; padding keeps its
    // edges from fading into transparency.
    cairo_surface_t* part = cairo_surface_create_for_rectangle(whole, source.x, source.y,
                                                               source.width, source.height);
    cairo_save(cr);
    cairo_translate(cr, dest.x, dest.y);
    cairo_scale(cr, dest.width / source.width, dest.height / source.height);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0.0, 0.0, source.width, source.height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, part, 0.0, 0.0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(cr, opacity);
    cairo_restore(cr);
    cairo_surface_destroy(part);
    cairo_surface_destroy(whole);
}

} // namespace plat
