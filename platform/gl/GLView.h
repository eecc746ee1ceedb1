#pragma once
#include "platform/draw/Bitmap.h"
#include "platform/window/View.h"

#include <optional>
#include <vector>

namespace plat {

class GLContext;

// A view that shows an OpenGL context's drawing surface in its window. Presenting reads the
// surface back and copies it into the window's image over the view's frame; the display cycle
// paints the last presented picture again when the view is redrawn. While other content
// covers part of the view, only the visible parts (the clip rectangles, in the view's own
// bottom-up coordinates) show the surface and the covering content stays. Main thread only.
class GLView : public View {
public:
    static Ref<GLView> Make(const Rect& frame) { return Ref<GLView>::Adopt(new GLView(frame)); }

    // The parts through which the surface shows; none means the whole view (it is opaque).
    const std::optional<std::vector<Rect>>& ClipRects() const { return fClips; }
    void SetClipRects(std::vector<Rect> rects) { fClips = std::move(rects); }
    void ClearClipRects() { fClips.reset(); }
    bool IsOpaque() const { return !fClips; }

    // Reads the context's surface (the context must be current here) into the view's picture,
    // copies it into the window's image and shows that image. False when nothing could be read.
    [[nodiscard]] bool Present(GLContext& context);
    // The picture last presented, top row first.
    const Bitmap& Picture() const { return fPicture; }

    void DrawRect(const Rect& dirty) override;

protected:
    explicit GLView(const Rect& frame) : View(frame) {}

private:
    // Copies the picture into the window's image where the view shows it, within `area`
    // (view coordinates).
    void CopyToWindowImage(const Rect& area) const;

    Bitmap fPicture;
    std::optional<std::vector<Rect>> fClips;
};

} // namespace plat
