#include "platform/gl/GLContext.h"
#include "platform/gl/EglDisplay.h"
#include "platform/gl/GLApi.h"
#include "platform/LeakChecks.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace plat {

struct GLContext::Impl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    int32_t width = 0;
    int32_t height = 0;
    uint64_t serial = 0;
    bool multisampled = false;
    int8_t packInvert = -1;         // the library turns rows over while reading: 1 yes, 0 no, -1 not asked
    std::vector<uint32_t> scratch;  // rows read bottom-up when it cannot
};

namespace {

thread_local GLContext* tCurrent = nullptr;
std::atomic<uint64_t> gSurfaces{0};

std::string Failure(const char* what)
{
    return std::string(what) + ": " + EglDisplay::ErrorName(eglGetError());
}

// The first configuration that can back an offscreen surface of the format.
bool ChooseConfig(EGLDisplay display, const GLPixelFormat& format, EGLConfig& config, std::string& error)
{
    std::vector<EGLint> attributes = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_DEPTH_SIZE, format.depthBits,
    };
    if (format.samples >= 2)
        attributes.insert(attributes.end(), {EGL_SAMPLE_BUFFERS, 1, EGL_SAMPLES, format.samples});
    attributes.push_back(EGL_NONE);
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes.data(), &config, 1, &count)) {
        error = Failure("no OpenGL pixel format");
        return false;
    }
    if (count < 1) {
        error = "no OpenGL pixel format with " + std::to_string(format.depthBits) + " depth bits and "
            + std::to_string(format.samples) + " samples";
        return false;
    }
    return true;
}

// Copies `count` pixels with their alpha set to 255 (`from` may be `to`), eight at a time in
// two 16-byte blocks: a plain loop of unknown length stays one pixel at a time at the build's
// optimisation level, and 32-byte blocks without wide registers go through the stack.
void MakeOpaque(const uint32_t* from, uint32_t* to, size_t count)
{
    using Four = uint32_t __attribute__((vector_size(16)));
    constexpr Four kAlpha = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
    size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        Four low;
        Four high;
        std::memcpy(&low, from + x, sizeof low);
        std::memcpy(&high, from + x + 4, sizeof high);
        low |= kAlpha;
        high |= kAlpha;
        std::memcpy(to + x, &low, sizeof low);
        std::memcpy(to + x + 4, &high, sizeof high);
    }
    for (; x < count; ++x)
        to[x] = from[x] | 0xFF000000u;
}

// Whether the current context's library can turn rows over while reading them back.
bool HasPackInvert()
{
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* name = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, GLuint(i)));
        if (name && std::strcmp(name, "GL_MESA_pack_invert") == 0)
            return true;
    }
    return false;
}

} // namespace

GLContext::GLContext(std::unique_ptr<Impl> impl) : fImpl(std::move(impl))
{
    KeepLeakSuppressions();
}

std::unique_ptr<GLContext> GLContext::Create(const GLPixelFormat& format, GLContext* share, std::string& error)
{
    auto impl = std::make_unique<Impl>();
    impl->display = EglDisplay::Handle();
    if (!impl->display) {
        error = EglDisplay::Error();
        return nullptr;
    }
    if (!EglDisplay::BindApi()) {
        error = Failure("desktop OpenGL cannot be bound");
        return nullptr;
    }
    if (!ChooseConfig(impl->display, format, impl->config, error))
        return nullptr;
    EGLint sampleBuffers = 0;
    eglGetConfigAttrib(impl->display, impl->config, EGL_SAMPLE_BUFFERS, &sampleBuffers);
    impl->multisampled = sampleBuffers > 0;

    const EGLint contextAttributes[] = {
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE,
    };
    EGLContext shareWith = share ? share->fImpl->context : EGL_NO_CONTEXT;
    impl->context = eglCreateContext(impl->display, impl->config, shareWith, contextAttributes);
    if (impl->context == EGL_NO_CONTEXT) {
        error = Failure("the OpenGL context cannot be made");
        return nullptr;
    }
    return std::unique_ptr<GLContext>(new GLContext(std::move(impl)));
}

GLContext::~GLContext()
{
    if (tCurrent == this)
        ClearCurrent();
    if (fImpl->surface != EGL_NO_SURFACE)
        eglDestroySurface(fImpl->display, fImpl->surface);
    eglDestroyContext(fImpl->display, fImpl->context);
}

std::string GLContext::DisplayError()
{
    EglDisplay::Handle();
    return EglDisplay::Error();
}

bool GLContext::IsMultisampled() const
{
    return fImpl->multisampled;
}

bool GLContext::MakeCurrent()
{
    if (!EglDisplay::BindApi())
        return false;
    if (!eglMakeCurrent(fImpl->display, fImpl->surface, fImpl->surface, fImpl->context))
        return false;
    tCurrent = this;
    return true;
}

GLContext* GLContext::Current()
{
    return tCurrent;
}

void GLContext::ClearCurrent()
{
    void* display = EglDisplay::Handle();
    if (display && EglDisplay::BindApi())
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    tCurrent = nullptr;
}

bool GLContext::SetSurfaceSize(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        width = height = 0;
    if (width == fImpl->width && height == fImpl->height)
        return true;
    EGLSurface surface = EGL_NO_SURFACE;
    if (width > 0) {
        const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface = eglCreatePbufferSurface(fImpl->display, fImpl->config, attributes);
        if (surface == EGL_NO_SURFACE)
            return false;
    }
    if (tCurrent == this && !eglMakeCurrent(fImpl->display, surface, surface, fImpl->context)) {
        if (surface != EGL_NO_SURFACE)
            eglDestroySurface(fImpl->display, surface);
        return false;
    }
    if (fImpl->surface != EGL_NO_SURFACE)
        eglDestroySurface(fImpl->display, fImpl->surface);
    fImpl->surface = surface;
    fImpl->width = width;
    fImpl->height = height;
    fImpl->serial = surface != EGL_NO_SURFACE ? ++gSurfaces : 0;
    return true;
}

int32_t GLContext::SurfaceWidth() const
{
    return fImpl->width;
}

int32_t GLContext::SurfaceHeight() const
{
    return fImpl->height;
}

uint64_t GLContext::SurfaceSerial() const
{
    return fImpl->serial;
}

void GLContext::Finish()
{
    if (tCurrent == this)
        glFinish();
}

bool GLContext::ReadPixels(uint32_t* dest, size_t stride)
{
    return ReadPixels(0, 0, fImpl->width, fImpl->height, dest, stride);
}

bool GLContext::ReadPixels(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t* dest, size_t stride,
                           bool opaqueDrawn)
{
    Impl& impl = *fImpl;
    const bool inside = left >= 0 && top >= 0 && width > 0 && height > 0 && left <= impl.width - width
        && top <= impl.height - height;
    if (tCurrent != this || impl.surface == EGL_NO_SURFACE || !dest || !inside || stride < size_t(width) * 4)
        return false;
    if (impl.packInvert < 0)
        impl.packInvert = HasPackInvert() ? 1 : 0;
    // Read from the surface itself, whatever framebuffer and pack state the drawing code left.
    GLint readFramebuffer = 0;
    GLint packBuffer = 0;
    GLint packAlignment = 4;
    GLint packRowLength = 0;
    GLint packSkipRows = 0;
    GLint packSkipPixels = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glGetIntegerv(GL_PACK_ROW_LENGTH, &packRowLength);
    glGetIntegerv(GL_PACK_SKIP_ROWS, &packSkipRows);
    glGetIntegerv(GL_PACK_SKIP_PIXELS, &packSkipPixels);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    // GL counts rows from the bottom; the caller's rows run top-down.
    const GLint bottom = impl.height - top - height;
    const bool direct = impl.packInvert == 1 && stride % 4 == 0;
    if (direct) {
        // The library turns the rows over itself and writes them straight into the caller's rows.
        glPixelStorei(GL_PACK_ROW_LENGTH, GLint(stride / 4));
        glPixelStorei(GL_PACK_INVERT_MESA, GL_TRUE);
        glReadPixels(left, bottom, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, dest);
        glPixelStorei(GL_PACK_INVERT_MESA, GL_FALSE);
    } else {
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        impl.scratch.resize(size_t(width) * size_t(height));
        glReadPixels(left, bottom, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, impl.scratch.data());
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(packBuffer));
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glPixelStorei(GL_PACK_ROW_LENGTH, packRowLength);
    glPixelStorei(GL_PACK_SKIP_ROWS, packSkipRows);
    glPixelStorei(GL_PACK_SKIP_PIXELS, packSkipPixels);
    // Drawing with blending leaves alpha below 1 here and there; the picture is opaque.
    if (direct && opaqueDrawn)
        return true;
    for (int32_t y = 0; y < height; ++y) {
        auto* to = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dest) + size_t(y) * stride);
        const uint32_t* from = direct ? to : impl.scratch.data() + size_t(height - 1 - y) * size_t(width);
        if (opaqueDrawn)
            std::memcpy(to, from, size_t(width) * 4);
        else
            MakeOpaque(from, to, size_t(width));
    }
    return true;
}

} // namespace plat
