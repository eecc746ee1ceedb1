#pragma once
#include "platform/draw/Bitmap.h"
#include "platform/window/View.h"

#include <functional>
#include <optional>
#include <vector>

namespace plat {

class GLContext;

// A view that shows an OpenGL context's drawing surface in its window. Presenting reads the
// visible parts of the surface straight into the window's image over the view's frame and
// has the window shown at its next display period; when the display cycle redraws the view,
// the picture is read from the surface again. While other content covers part of the view,
// only the visible parts (the clip rectangles, in the view's own bottom-up coordinates) show
// the surface and the covering content stays. Main thread only.
class GLView : public View {
public:
    static Ref<GLView> Make(const Rect& frame) { return Ref<GLView>::Adopt(new GLView(frame)); }

    // The parts through which the surface shows; none means the whole view (it is opaque).
    const std::optional<std::vector<Rect>>& ClipRects() const { return fClips; }
    void SetClipRects(std::vector<Rect> rects) { fClips = std::move(rects); }
    void ClearClipRects() { fClips.reset(); }
    bool IsOpaque() const { return !fClips; }

    // Reads what the context drew (the context must be current here) into the window's image
    // where the view shows, and has those pixels shown at the window's next display period.
    // Without a window image the surface is kept as the view's picture for the display pass.
    // `opaqueDrawn`: the drawing kept every pixel's alpha at 255 (GLContext::ReadPixels).
    // False when nothing could be read.
    [[nodiscard]] bool Present(GLContext& context, bool opaqueDrawn = false);
    // The picture last presented, top row first; read from the surface when the last present
    // went straight into the window's image.
    const Bitmap& Picture();

    void DrawRect(const Rect& dirty) override;

protected:
    explicit GLView(const Rect& frame) : View(frame) {}

    // Runs `read` with the context that draws into the view current on this thread, under
    // whatever lock its drawing takes; false when there is no such context.
    virtual bool WithSurface(const std::function<void(GLContext&)>& read);

private:
    // Copies the picture into the window's image where the view shows it, within `area`
    // (view coordinates).
    void CopyToWindowImage(const Rect& area) const;
    // Reads the picture from the surface when the last present went into the window's image.
    void RefreshPicture();

    Bitmap fPicture;
    bool fPictureCurrent = false; // the picture holds what was presented last
    uint64_t fPresentedSurface = 0; // the surface last presented (its serial)
    std::optional<std::vector<Rect>> fClips;
};

} // namespace plat
