#include "shell/gl/CGLContext.h"
#include "foundation/geometry/LRegion.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContextLock.h"

#include <algorithm>
#include <atomic>
#include <string>

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

void CGLContext::FlushBuffer()
{
    if (!fContext)
        return;
    CGLContextLock lock(this);
    glFlush();
}

void CGLContext::PlaceView(const CLRect& newFrame, const LRegion& /*clip*/)
{
    SetViewport(newFrame);
}

void CGLContext::SetViewport(const CLRect& area)
{
    const auto width = static_cast<GLsizei>(std::clamp<int64_t>(area.Width(), 0, INT32_MAX));
    const auto height = static_cast<GLsizei>(std::clamp<int64_t>(area.Height(), 0, INT32_MAX));
    glViewport(0, 0, width, height);
}

void CGLContext::SetShared(CGLContext* context)
{
    gShared.store(context);
}

CGLContext* CGLContext::Shared()
{
    return gShared.load();
}
