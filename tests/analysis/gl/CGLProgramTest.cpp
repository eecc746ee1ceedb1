#include "analysis/gl/CGLProgram.h"
#include "analysis/gl/DebugLog.h"
#include "analysis/gl/SharedGLContext.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kVertex = "#version 120\nvoid main() { gl_Position = ftransform(); }\n";
const char* const kFragment = "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n";
const char* const kBrokenVertex = "#version 120\nvoid main() { gl_Position = undefinedThing; }\n";

// Every test works under the shared context's lock, as the display's builders do.
class CGLProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error();
        ClearDebugLog();
        SetDebugLogSwitch(0);
    }
    void TearDown() override { SetDebugLogSwitch(0); }

    static GLint AttachedShaders(const CGLProgram& program)
    {
        GLint count = -1;
        glGetProgramiv(program.program, GL_ATTACHED_SHADERS, &count);
        return count;
    }

    CGLContextLock fLock{SharedGLContext()};
};

} // namespace

TEST_F(CGLProgramTest, BuildsJoinedSourcesLinksBothShadersAndDeletesThemWhenItGoes)
{
    // The declaration is split across the texts: only a plain join compiles.
    const char* const parts[] = {"#version 120\nvoid main() { gl_Posi", "tion = ftrans", "form(); }\n"};
    uint32_t programId = 0;
    uint32_t vertexShader = 0;
    {
        CGLProgram program;
        ASSERT_NE(program.program, 0u);
        EXPECT_EQ(program.linked, 0);
        program.Build(3, parts, 1, &kFragment);
        EXPECT_EQ(program.linked, 1) << program.Log();
        EXPECT_NE(program.vertexShader, 0u);
        EXPECT_NE(program.fragmentShader, 0u);
        EXPECT_EQ(AttachedShaders(program), 2);
        EXPECT_EQ(program.Error(), "");
        programId = program.program;
        vertexShader = program.vertexShader;
    }
    EXPECT_FALSE(glIsProgram(programId));
    EXPECT_FALSE(glIsShader(vertexShader));
}

TEST_F(CGLProgramTest, RebuildWithoutFragmentSourcesLinksTheVertexShaderAlone)
{
    CGLProgram program;
    program.Build(1, &kVertex, 1, &kFragment);
    ASSERT_EQ(program.linked, 1);
    const uint32_t vertexShader = program.vertexShader;
    const uint32_t fragmentShader = program.fragmentShader;
    program.Build(1, &kVertex, 0, nullptr);
    EXPECT_EQ(program.linked, 1) << program.Log();
    EXPECT_EQ(program.vertexShader, vertexShader) << "an existing shader only gets new sources";
    EXPECT_EQ(program.fragmentShader, 0u);
    EXPECT_FALSE(glIsShader(fragmentShader));
    EXPECT_EQ(AttachedShaders(program), 1);
}

TEST_F(CGLProgramTest, FailedVertexShaderGivesItsLogAndLeavesTheFragmentShader)
{
    CGLProgram program;
    program.Build(1, &kVertex, 1, &kFragment);
    const uint32_t fragmentShader = program.fragmentShader;
    SetDebugLogSwitch(1);
    program.Build(1, &kBrokenVertex, 1, &kFragment);
    EXPECT_EQ(program.linked, 0);
    EXPECT_EQ(program.Error(), "the vertex shader does not compile");
    EXPECT_NE(program.Log().find("undefinedThing"), std::string::npos) << program.Log();
    EXPECT_EQ(program.fragmentShader, fragmentShader);
    EXPECT_TRUE(glIsShader(fragmentShader));
    GLint linkStatus = GL_FALSE;
    glGetProgramiv(program.program, GL_LINK_STATUS, &linkStatus);
    EXPECT_EQ(linkStatus, GL_TRUE) << "no link was tried: the last good link stands";
    const std::string log = DebugLogText();
    EXPECT_EQ(log.rfind("the vertex shader does not compile:\n", 0), 0u) << log;
    EXPECT_NE(log.find("undefinedThing"), std::string::npos);
    EXPECT_EQ(log.back(), '\n');
}

TEST_F(CGLProgramTest, DebugLogStaysEmptyWhileTheSwitchIsOff)
{
    CGLProgram program;
    program.Build(1, &kBrokenVertex, 1, &kFragment);
    EXPECT_EQ(program.linked, 0);
    EXPECT_EQ(program.fragmentShader, 0u) << "the fragment shader is not compiled after a vertex failure";
    EXPECT_FALSE(program.Log().empty());
    EXPECT_EQ(DebugLogText(), "");
}

TEST_F(CGLProgramTest, LongLogIsCutToTheLogBuffer)
{
    std::string source = "#version 120\nvoid main() {\n";
    for (int i = 0; i < 300; ++i)
        source += "  gl_Position = missingValue" + std::to_string(i) + ";\n";
    source += "}\n";
    const char* text = source.c_str();
    CGLProgram program;
    program.Build(1, &text, 1, &kFragment);
    EXPECT_EQ(program.linked, 0);
    EXPECT_EQ(program.Log().size(), 2047u) << "2048 bytes with the terminating NUL";
}

TEST_F(CGLProgramTest, LinkFailureIsReported)
{
    const char* const declaredOnly = "#version 120\nvec4 Place();\nvoid main() { gl_Position = Place(); }\n";
    CGLProgram program;
    program.Build(1, &declaredOnly, 1, &kFragment);
    EXPECT_EQ(program.linked, 0);
    EXPECT_EQ(program.Error(), "the program does not link");
    EXPECT_FALSE(program.Log().empty());
}

TEST(DebugLog, WritesLineByLine)
{
    ClearDebugLog();
    SetDebugLogSwitch(1);
    DebugLogWrite("first\nsecond\n\nlast");
    SetDebugLogSwitch(2);
    DebugLogWrite("ignored");
    SetDebugLogSwitch(0);
    EXPECT_EQ(DebugLogText(), "first\nsecond\n\nlast\n");
    ClearDebugLog();
}
