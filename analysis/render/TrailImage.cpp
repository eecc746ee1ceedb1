#include "analysis/render/TrailImage.h"
#include "platform/gl/GLApi.h"

#include <cstdint>

namespace {

// Makes a framebuffer object of the current context with the two textures attached, bound to
// `target`; 0 when it is not complete (it is then deleted again).
GLuint AttachImage(GLenum target, GLuint color, GLuint depth)
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    if (framebuffer == 0)
        return 0;
    glBindFramebuffer(target, framebuffer);
    glFramebufferTexture2D(target, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
    glFramebufferTexture2D(target, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    if (glCheckFramebufferStatus(target) == GL_FRAMEBUFFER_COMPLETE)
        return framebuffer;
    glDeleteFramebuffers(1, &framebuffer);
    return 0;
}

// Puts back the framebuffer bindings found at construction and deletes a framebuffer made
// meanwhile.
class FramebufferScope {
public:
    FramebufferScope()
    {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &fDraw);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &fRead);
    }
    ~FramebufferScope()
    {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(fDraw));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(fRead));
        if (made != 0)
            glDeleteFramebuffers(1, &made);
    }
    FramebufferScope(const FramebufferScope&) = delete;
    FramebufferScope& operator=(const FramebufferScope&) = delete;

    GLuint made = 0;

private:
    GLint fDraw = 0;
    GLint fRead = 0;
};

} // namespace

TrailImage::~TrailImage()
{
    const GLuint names[2] = {fColor, fDepth};
    if (fColor != 0 || fDepth != 0)
        glDeleteTextures(2, names);
}

bool TrailImage::FitTextures(int32_t width, int32_t height)
{
    if (fColor != 0 && fDepth != 0 && width == fWidth && height == fHeight)
        return true;
    glPushAttrib(GL_TEXTURE_BIT);
    if (fColor == 0)
        glGenTextures(1, &fColor);
    if (fDepth == 0)
        glGenTextures(1, &fDepth);
    const bool named = fColor != 0 && fDepth != 0;
    if (named) {
        glBindTexture(GL_TEXTURE_2D, fColor);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, fDepth);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                     nullptr);
    }
    glPopAttrib();
    fWidth = named ? width : 0;
    fHeight = named ? height : 0;
    return named;
}

bool TrailImage::Capture(const TrailImageKey& key, const std::function<void()>& draw)
{
    fValid = false;
    // The image covers the surface up to the viewport's far corner, so that it is drawn and
    // copied back at the same pixels.
    const int32_t* v = key.viewport;
    if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[2] > INT32_MAX - v[0] || v[3] > INT32_MAX - v[1]
        || !FitTextures(v[0] + v[2], v[1] + v[3]))
        return false;
    FramebufferScope scope;
    scope.made = AttachImage(GL_FRAMEBUFFER, fColor, fDepth);
    if (scope.made == 0)
        return false;
    glPushAttrib(GL_SCISSOR_BIT | GL_ENABLE_BIT);
    glDisable(GL_SCISSOR_TEST);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(key.clearColor[0], key.clearColor[1], key.clearColor[2], key.clearColor[3]);
    glClearDepth(key.clearDepth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
    draw();
    glPopAttrib();
    fKey = key;
    fValid = true;
    return true;
}

bool TrailImage::Restore() const
{
    if (!fValid)
        return false;
    // Errors left by earlier calls would read as a refused copy.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    FramebufferScope scope;
    scope.made = AttachImage(GL_READ_FRAMEBUFFER, fColor, fDepth);
    if (scope.made == 0)
        return false;
    const int32_t* v = fKey.viewport;
    glPushAttrib(GL_SCISSOR_BIT | GL_ENABLE_BIT);
    glDisable(GL_SCISSOR_TEST);
    const GLint x1 = v[0] + v[2], y1 = v[1] + v[3];
    glBlitFramebuffer(v[0], v[1], x1, y1, v[0], v[1], x1, y1, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    glPopAttrib();
    return glGetError() == GL_NO_ERROR;
}
