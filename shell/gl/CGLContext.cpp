#include "shell/gl/CGLContext.h"
#include "foundation/geometry/LRectList.h"
#include "foundation/geometry/LRegion.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "platform/window/Window.h"
#include "shell/gl/CGLContextLock.h"
#include "shell/gl/MGLView2.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <string>
#include <vector>

namespace {

std::atomic<CGLContext*> gShared{nullptr};

plat::GLPixelFormat PixelFormatOf(const CGLOptions* options)
{
    const CGLOptions none;
    if (!options)
        options = &none;
    plat::GLPixelFormat format;
    format.depthBits = options->depth;
    format.samples = options->samples >= 2 ? options->samples : 0;
    return format;
}

bool SameRect(const plat::Rect& a, const plat::Rect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The visible rectangles of the region in the view's own bottom-up coordinates.
std::vector<plat::Rect> ViewClipRects(const LRegion& visible, const CLRect& frame)
{
    LRectList rects;
    visible.GetRects(rects);
    std::vector<plat::Rect> out;
    out.reserve(rects.Count());
    for (uint32_t i = 0; i < rects.Count(); ++i) {
        const CLRect& r = rects[i];
        out.push_back(plat::Rect{double(int64_t(r.left) - frame.left), double(int64_t(frame.bottom) - r.bottom),
                                 double(r.Width()), double(r.Height())});
    }
    return out;
}

} // namespace

CGLContext::CGLContext(plat::Window* host, const CGLOptions* options) : fHost(host)
{
    CGLContext* shared = Shared();
    if (shared) {
        fMutex = shared->fMutex;
        borrowedMutex = 1;
    } else {
        fOwnedMutex = std::make_unique<plat::RecursiveMutex>();
        fMutex = fOwnedMutex.get();
    }
    fContext = plat::GLContext::Create(PixelFormatOf(options), shared ? shared->Native() : nullptr, fError);
    if (!fContext)
        return;
    multisample = fContext->IsMultisampled() ? 1 : 0;
    if (fHost) {
        fView = MGLView2::Make();
        fView->autoresizesSubviews = false;
        fView->postsFrameChanged = false;
        fView->postsBoundsChanged = false;
        fView->mGL = fContext.get();
        fView->mOwner = this;
        // Presentation waits for no display refresh here: swap sync has nothing to wait for.
    }
}

CGLContext::~CGLContext()
{
    CGLContext* self = this;
    gShared.compare_exchange_strong(self, nullptr); // never leave the link dangling
    if (!fContext)
        return;
    {
        CGLContextLock lock(this);
        fContext->Finish();
    }
    if (fView) {
        fView->RemoveFromSuperview();
        fView->ClearClipRects();
        fView->mGL = nullptr;
        fView->mOwner = nullptr;
        fView.Reset();
    }
    std::lock_guard guard(*fMutex); // no other thread may have it current while it goes
    fContext.reset();
}

bool CGLContext::HasContext() const
{
    return fContext != nullptr;
}

bool CGLContext::IsFrameEmpty() const
{
    return fHost && frame.IsEmpty();
}

void CGLContext::SetFrame(const CLRect& newFrame, const LRegion& clip)
{
    if (!fContext)
        return;
    if (frame.IsEmpty() && newFrame.IsEmpty())
        return;
    {
        CGLContextLock lock(this);
        PlaceView(newFrame, clip);
    }
    frame = newFrame;
}

void CGLContext::FlushBuffer(bool opaqueDrawn)
{
    if (!fContext)
        return;
    CGLContextLock lock(this);
    if (fView)
        (void)fView->Present(*fContext, opaqueDrawn);
    else
        glFlush();
}

void CGLContext::PlaceView(const CLRect& newFrame, const LRegion& clip)
{
    if (!fHost || !fView || !fHost->ContentView()) {
        SetViewport(newFrame.Width(), newFrame.Height());
        return;
    }
    const bool moved = MoveView(newFrame);
    ClipView(newFrame, clip);
    if (moved && !newFrame.IsEmpty()) {
        const auto width = static_cast<int32_t>(std::min<int64_t>(newFrame.Width(), INT32_MAX));
        const auto height = static_cast<int32_t>(std::min<int64_t>(newFrame.Height(), INT32_MAX));
        (void)fContext->SetSurfaceSize(width, height); // refused: the old surface stays
    }
    const plat::Rect bounds = fView->Bounds();
    SetViewport(static_cast<int64_t>(bounds.width), static_cast<int64_t>(bounds.height));
}

// Puts the view into the host's content view at the frame; true when anything changed.
bool CGLContext::MoveView(const CLRect& newFrame)
{
    plat::View* content = fHost->ContentView();
    bool changed = false;
    if (fView->Superview() != content) {
        content->AddSubview(fView.Get());
        changed = true;
    }
    const double top = content->IsFlipped() ? double(newFrame.top) : content->Frame().height - double(newFrame.bottom);
    const plat::Rect placed{double(newFrame.left), top, double(newFrame.Width()), double(newFrame.Height())};
    if (!SameRect(fView->Frame(), placed)) {
        fView->SetFrame(placed);
        changed = true;
    }
    return changed;
}

// Shows the surface only through the part of the frame the clip leaves visible.
void CGLContext::ClipView(const CLRect& newFrame, const LRegion& clip)
{
    LRegion visible(newFrame);
    visible.Intersect(clip);
    if (visible.Equals(LRegion(newFrame))) {
        if (!fView->IsOpaque()) {
            fView->ClearClipRects();
            fView->SetNeedsDisplay(); // the whole surface shows again
        }
        return;
    }
    std::vector<plat::Rect> rects = ViewClipRects(visible, newFrame);
    const auto& old = fView->ClipRects();
    const bool same = old && old->size() == rects.size()
        && std::equal(rects.begin(), rects.end(), old->begin(), SameRect);
    if (same)
        return;
    fView->SetClipRects(std::move(rects));
    fView->SetNeedsDisplay();
}

void CGLContext::SetViewport(int64_t width, int64_t height)
{
    glViewport(0, 0, static_cast<GLsizei>(std::clamp<int64_t>(width, 0, INT32_MAX)),
               static_cast<GLsizei>(std::clamp<int64_t>(height, 0, INT32_MAX)));
}

void CGLContext::SetShared(CGLContext* context)
{
    gShared.store(context);
}

CGLContext* CGLContext::Shared()
{
    return gShared.load();
}

bool MGLView2::WithSurface(const std::function<void(plat::GLContext&)>& read)
{
    if (!mOwner || !mGL)
        return false;
    CGLContextLock lock(mOwner);
    if (plat::GLContext::Current() != mGL)
        return false;
    read(*mGL);
    return true;
}
