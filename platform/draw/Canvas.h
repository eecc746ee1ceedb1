#pragma once
#include "platform/Geometry.h"

#include <memory>
#include <vector>

namespace plat {

class Bitmap;

// A colour of the drawing layer: straight (not premultiplied) sRGB components and alpha, 0..1.
struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;
};

// A rectangle of whole pixels: origin and size. A rectangle whose width or height is not
// positive holds no pixel.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// How a fill or stroke combines with the pixels already there.
enum class BlendMode {
    Normal,    // source over destination
    Copy,      // replaces the destination, alpha included
    Clear,     // makes the covered pixels transparent
    Multiply,
    Screen,
    Overlay,
    Darken,
    Lighten,
    Difference,
    Xor,
};

enum class LineCap { Butt, Round, Square };

// Draws onto a Bitmap. Coordinates are pixels with the origin at the top-left corner and y
// growing downward, changed by Translate and Scale. State (transform, clip, colours, line
// width, blend mode) is saved and restored as a stack. The bitmap must outlive the canvas and
// keep its size while the canvas draws; pixels are in the bitmap when a drawing call returns.
class Canvas {
public:
    explicit Canvas(Bitmap& target);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Bitmap& Target() const { return fTarget; }

    // Pushes the whole drawing state; Restore pops it. A Restore without a matching Save is ignored.
    void Save();
    void Restore();
    int SaveDepth() const { return fDepth; }

    // Non-finite amounts and zero scales are ignored: they would leave nothing drawable.
    void Translate(double dx, double dy);
    void Scale(double sx, double sy);
    // The current transform's translation: where user (0, 0) lands on the bitmap when unscaled.
    Point Origin() const;

    // Narrows the clip to the union of the rectangles (in current user coordinates); an empty
    // list leaves nothing drawable.
    void ClipToRects(const std::vector<PixelRect>& rects);
    void ClipToRect(const Rect& rect);
    // Leaves nothing drawable until the state is restored.
    void ClipToNothing();
    // The bounds of what is still drawable, in user coordinates; an empty rectangle when nothing is.
    Rect ClipBounds() const;
    bool ClipIsEmpty() const;

    void SetFillColor(const Color& color);
    void SetStrokeColor(const Color& color);
    Color FillColor() const;
    Color StrokeColor() const;
    void SetLineWidth(double width);
    double LineWidth() const;
    void SetLineCap(LineCap cap);
    void SetBlendMode(BlendMode mode);
    BlendMode CurrentBlendMode() const;
    // Whether edges are anti-aliased (the default) or snapped to whole pixels.
    void SetAntialias(bool on);

    void FillRect(const Rect& rect);
    // Fills all the rectangles as one shape (overlaps are painted once).
    void FillRects(const std::vector<PixelRect>& rects);
    // Strokes the rectangle's outline centred on its edges, with the line width.
    void StrokeRect(const Rect& rect);
    // Makes the pixels under the rectangle (and the clip) transparent.
    void ClearRect(const Rect& rect);
    void StrokeLine(Point from, Point to);
    void FillEllipse(const Rect& bounds);
    void StrokeEllipse(const Rect& bounds);

    // The current path: built by these calls, used up by FillPath or StrokePath.
    void BeginPath();
    void MoveTo(Point p);
    void LineTo(Point p);
    void CurveTo(Point c1, Point c2, Point end);
    void AddRect(const Rect& rect);
    void ClosePath();
    void FillPath();
    void StrokePath();
    // Narrows the clip to the current path and uses the path up.
    void ClipToPath();

    // Draws `image` scaled into `dest`, with the given extra opacity (0..1).
    void DrawBitmap(const Bitmap& image, const Rect& dest, double opacity = 1.0);
    // Draws the part `source` of `image` scaled into `dest`; nothing when the part is not inside the image.
    void DrawBitmapPart(const Bitmap& image, const Rect& source, const Rect& dest, double opacity = 1.0);

    // The library context behind the canvas, for the drawing layer's own helpers (text).
    void* NativeContext() const;

private:
    struct State;
    struct Impl;
    void Paint(bool stroke);

    Bitmap& fTarget;
    std::unique_ptr<Impl> fImpl;
    int fDepth = 0;
};

} // namespace plat
