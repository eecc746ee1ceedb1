#include "analysis/gl/CGLProgram.h"
#include "analysis/gl/DebugLog.h"
#include "analysis/gl/SharedGLContext.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContextLock.h"

namespace {

constexpr GLsizei kLogBufferSize = 2048;

void DeleteShader(GLuint program, uint32_t& slot)
{
    if (!slot)
        return;
    glDetachShader(program, slot);
    glDeleteShader(slot);
    slot = 0;
}

const char* ShaderName(uint32_t type)
{
    return type == GL_VERTEX_SHADER ? "the vertex shader does not compile" : "the fragment shader does not compile";
}

} // namespace

CGLProgram::CGLProgram()
{
    CGLContextLock lock(SharedGLContext());
    program = glCreateProgram();
}

CGLProgram::~CGLProgram()
{
    if (!program)
        return;
    CGLContextLock lock(SharedGLContext());
    DeleteShader(program, fragmentShader);
    DeleteShader(program, vertexShader);
    glDeleteProgram(program);
}

void CGLProgram::Build(uint32_t vertexCount, const char* const* vertexSources, uint32_t fragmentCount,
                       const char* const* fragmentSources)
{
    if (!program)
        return;
    linked = 0;
    if (!CompileShader(GL_VERTEX_SHADER, vertexShader, vertexCount, vertexSources))
        return;
    if (!CompileShader(GL_FRAGMENT_SHADER, fragmentShader, fragmentCount, fragmentSources))
        return;
    Link();
}

bool CGLProgram::CompileShader(uint32_t type, uint32_t& slot, uint32_t count, const char* const* sources)
{
    if (count == 0) {
        DeleteShader(program, slot);
        return true;
    }
    if (!slot) {
        slot = glCreateShader(type);
        if (!slot) {
            Fail(ShaderName(type), "the shader object cannot be made");
            return false;
        }
        glAttachShader(program, slot);
    }
    glShaderSource(slot, static_cast<GLsizei>(count), sources, nullptr);
    glCompileShader(slot);
    GLint status = GL_FALSE;
    glGetShaderiv(slot, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        char log[kLogBufferSize] = {};
        glGetShaderInfoLog(slot, kLogBufferSize, nullptr, log);
        Fail(ShaderName(type), log);
        return false;
    }
    fError.clear();
    fLog.clear();
    return true;
}

void CGLProgram::Link()
{
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status == GL_TRUE) {
        linked = 1;
        fError.clear();
        fLog.clear();
        return;
    }
    char log[kLogBufferSize] = {};
    glGetProgramInfoLog(program, kLogBufferSize, nullptr, log);
    Fail("the program does not link", log);
}

void CGLProgram::Fail(const char* what, const char* log)
{
    fError = what;
    fLog = log;
    DebugLogWrite(fError + ":\n" + fLog);
}
