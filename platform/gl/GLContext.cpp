#include "platform/gl/GLContext.h"
#include "platform/gl/EglDisplay.h"
#include "platform/gl/GLApi.h"
#include "platform/LeakChecks.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

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
    bool multisampled = false;
};

namespace {

thread_local GLContext* tCurrent = nullptr;

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

void GLContext::Finish()
{
    if (tCurrent == this)
        glFinish();
}

bool GLContext::ReadPixels(uint32_t* dest, size_t stride)
{
    const int32_t width = fImpl->width;
    const int32_t height = fImpl->height;
    if (tCurrent != this || fImpl->surface == EGL_NO_SURFACE || !dest || stride < size_t(width) * 4)
        return false;
    // Read from the surface itself, whatever framebuffer the drawing code left bound.
    GLint readFramebuffer = 0;
    GLint packAlignment = 4;
    GLint packRowLength = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glGetIntegerv(GL_PACK_ROW_LENGTH, &packRowLength);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    std::vector<uint32_t> rows(size_t(width) * size_t(height));
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glPixelStorei(GL_PACK_ROW_LENGTH, packRowLength);
    // GL's rows run bottom-up; the window image's run top-down.
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* from = rows.data() + size_t(height - 1 - y) * size_t(width);
        auto* to = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dest) + size_t(y) * stride);
        for (int32_t x = 0; x < width; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    return true;
}

} // namespace plat
