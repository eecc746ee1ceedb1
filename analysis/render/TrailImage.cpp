#include "analysis/render/TrailImage.h"
#include "platform/gl/GLApi.h"

#include <cstdint>

const char* const TrailImage::kVertexText = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";
// Every pixel samples its own texel: the image covers the surface from its origin.
const char* const TrailImage::kFragmentText =
    "#version 120\n"
    "uniform sampler2D gImageColor;\n"
    "uniform sampler2D gImageDepth;\n"
    "uniform vec2 gImageSize;\n"
    "void main()\n"
    "{\n"
    "    vec2 at = gl_FragCoord.xy / gImageSize;\n"
    "    vec4 color = texture2D(gImageColor, at);\n"
    "    if (color.a == 0.0)\n"
    "        discard;\n"
    "    gl_FragColor = color;\n"
    "    gl_FragDepth = texture2D(gImageDepth, at).r;\n"
    "}\n";

namespace {

// Makes a framebuffer object of the current context with the two textures attached and binds
// it; 0 when it is not complete (it is then deleted again).
GLuint AttachImage(GLuint color, GLuint depth)
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    if (framebuffer == 0)
        return 0;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
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
    // The image covers the surface from its origin to the viewport's far corner, so that every
    // pixel is drawn and laid back at the same place.
    const int32_t* v = key.viewport;
    if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[2] > INT32_MAX - v[0] || v[3] > INT32_MAX - v[1]
        || !FitTextures(v[0] + v[2], v[1] + v[3]))
        return false;
    FramebufferScope scope;
    scope.made = AttachImage(fColor, fDepth);
    if (scope.made == 0)
        return false;
    glPushAttrib(GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    // The image keeps its alpha (0 where nothing was drawn) whatever writes the surface takes.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
    draw();
    glPopAttrib();
    fKey = key;
    fValid = true;
    return true;
}

bool TrailImage::Restore(uint32_t program) const
{
    if (!fValid || program == 0)
        return false;
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    glPushAttrib(GL_TEXTURE_BIT);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "gImageColor"), 0);
    glUniform1i(glGetUniformLocation(program, "gImageDepth"), 1);
    glUniform2f(glGetUniformLocation(program, "gImageSize"), float(fWidth), float(fHeight));
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, fDepth);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, fColor);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(-1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    glPopAttrib();
    glUseProgram(GLuint(previous));
    return true;
}
