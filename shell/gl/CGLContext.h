#pragma once
#include "foundation/geometry/CLRect.h"
#include "platform/threads/RecursiveMutex.h"
#include "platform/values/ValueRef.h"
#include "shell/gl/CGLOptions.h"

#include <cstdint>
#include <memory>
#include <string>

class LRegion;
class MGLView2;

namespace plat {
class GLContext;
class Window;
} // namespace plat

// An OpenGL context of the program. A display pane's context draws into a child view
// (MGLView2) of its host window's content view; the context without a host is the shared
// context made at start-up, whose objects every later context shares. All contexts use one
// recursive mutex: the first context made owns it, every later one borrows it from the
// published shared context. GL work runs inside a CGLContextLock scope.
class CGLContext {
public:
    CGLContext(plat::Window* host, const CGLOptions* options);
    virtual ~CGLContext();
    CGLContext(const CGLContext&) = delete;
    CGLContext& operator=(const CGLContext&) = delete;

    // A platform context exists (its pixel format could be made).
    virtual bool HasContext() const;
    // False without a host window; else whether the frame is empty.
    virtual bool IsFrameEmpty() const;
    // Moves and sizes the drawing surface to `frame` (window content coordinates, top-left
    // origin) and shows it only through `clip`; nothing when both the old and the new frame are empty.
    virtual void SetFrame(const CLRect& frame, const LRegion& clip);
    // Presents what was drawn: the surface's pixels go into the host window's image.
    // `opaqueDrawn`: the drawing kept every pixel's alpha at 255 (an opaque clear, then alpha
    // writes off), so the pixels need no alpha set on the way.
    virtual void FlushBuffer(bool opaqueDrawn = false);

    // The context every later context shares objects and the mutex with; null clears the link
    // (the shared context itself is never deleted).
    static void SetShared(CGLContext* context);
    static CGLContext* Shared();

    const CLRect& Frame() const { return frame; }
    bool IsMultisampled() const { return multisample != 0; }
    bool BorrowsMutex() const { return borrowedMutex != 0; }
    plat::GLContext* Native() const { return fContext.get(); }
    plat::RecursiveMutex& Mutex() const { return *fMutex; }
    plat::Window* Host() const { return fHost; }
    MGLView2* View() const { return fView.Get(); }
    // Why the platform context could not be made; empty when it exists.
    const std::string& Error() const { return fError; }

private:
    void PlaceView(const CLRect& newFrame, const LRegion& clip);
    bool MoveView(const CLRect& newFrame);
    void ClipView(const CLRect& newFrame, const LRegion& clip);
    void SetViewport(int64_t width, int64_t height);

    std::unique_ptr<plat::GLContext> fContext;
    plat::RecursiveMutex* fMutex = nullptr;
    std::unique_ptr<plat::RecursiveMutex> fOwnedMutex;
    uint8_t multisample = 0;
    uint8_t borrowedMutex = 0;
    CLRect frame;
    plat::Window* fHost = nullptr;
    plat::Ref<MGLView2> fView;
    std::string fError;
};
