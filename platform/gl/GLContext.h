#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

// What a context's drawing surface holds besides 8-bit red, green, blue and alpha.
struct GLPixelFormat {
    uint8_t depthBits = 0; // 0: no depth buffer
    uint8_t samples = 0;   // fewer than 2: no multisampling
};

// An OpenGL context (compatibility profile, real GLSL) on the EGL surfaceless platform.
// Contexts made with a share context see its objects (textures, buffers, shaders, programs).
// A context draws into an offscreen surface of the size its owner gives it, or into nothing
// until then; its pixels are read back by whoever shows them. A context is current on at most
// one thread at a time: callers serialise their GL work themselves (one mutex for all contexts).
class GLContext {
public:
    // A new context, sharing objects with `share` when given. Null, with the reason in `error`,
    // when there is no display, no configuration matches the format, or the context fails.
    static std::unique_ptr<GLContext> Create(const GLPixelFormat& format, GLContext* share,
                                             std::string& error);
    ~GLContext();
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;

    // Why no OpenGL display exists in this process; empty when one does.
    static std::string DisplayError();

    // True when the surface's configuration has sample buffers.
    bool IsMultisampled() const;

    // Makes this context current on the calling thread; false (nothing current changed) when
    // the library refuses, e.g. because another thread has it current.
    [[nodiscard]] bool MakeCurrent();
    // The context current on the calling thread, made current through this class; null when none.
    static GLContext* Current();
    // Leaves the calling thread without a current context.
    static void ClearCurrent();

    // Gives the context a drawing surface of this many pixels (a size of 0 removes it); the
    // old contents are lost. When the context is current here it stays current on the new
    // surface. False, with the old surface kept, when the surface cannot be made.
    [[nodiscard]] bool SetSurfaceSize(int32_t width, int32_t height);
    int32_t SurfaceWidth() const;
    int32_t SurfaceHeight() const;
    // Names the current surface: a number no other surface of the process had, 0 for none.
    // It changes whenever the surface is made anew (and its contents lost).
    uint64_t SurfaceSerial() const;

    // Waits until all GL work of the context is done; the context must be current.
    void Finish();
    // Reads the surface into `dest` (top row first, `stride` bytes per row) as 32-bit words
    // 0xAARRGGBB with alpha 255: the surface is opaque. The context must be current and have
    // a surface; false otherwise.
    [[nodiscard]] bool ReadPixels(uint32_t* dest, size_t stride);
    // Reads the part of the surface `width` x `height` pixels from (left, top), counted from the
    // surface's top-left corner, into `dest` the same way: its first row is the part's top row.
    // False when the part does not lie inside the surface or the context is not current here.
    // Drawing with blending leaves alpha below 255 here and there, and the read sets it to 255;
    // `opaqueDrawn` tells that the drawing kept every pixel's alpha at 255 (it cleared to an
    // opaque colour, then drew with alpha writes off), so the pixels are copied as they are.
    [[nodiscard]] bool ReadPixels(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t* dest,
                                  size_t stride, bool opaqueDrawn = false);

private:
    struct Impl;
    explicit GLContext(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> fImpl;
};

} // namespace plat
