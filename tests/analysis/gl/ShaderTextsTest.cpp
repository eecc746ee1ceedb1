// The shipped shader texts compile and link with every amplitude and frequency snippet (the
// trail renderer's tests draw with them).
#include "analysis/gl/CGLProgram.h"
#include "analysis/gl/CTextResource.h"
#include "analysis/gl/SharedGLContext.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContextLock.h"
#include "tests/support/ProgramResourceFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kGetY[] = {
    "float\tGetY() {return gl_Vertex.y * gZoom;}",
    "float\tGetY() {return max(0.0, 0.14476 * log(gl_Vertex.y) + gZoomDB);}",
};
const char* const kGetX[] = {
    "float\tGetX() {return gl_Vertex.x * gRSpects;}",
    "float\tGetX() {return max(-1.0, 1.0 + log(gl_Vertex.x * gRSpects) * gFreqBase);}",
};

class ShaderTextsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { sFile = std::make_unique<ProgramResourceFile>(); }
    static void TearDownTestSuite() { sFile.reset(); }

    static LStringRef Text(const char* name)
    {
        CTextResource resource(LResRef{0, name}, &sFile->Source(), kTextResourceType);
        EXPECT_FALSE(resource.text.IsEmpty()) << name;
        return resource.text;
    }

    static inline std::unique_ptr<ProgramResourceFile> sFile;
};

} // namespace

TEST_F(ShaderTextsTest, TrailProgramLinksWithEverySnippetPair)
{
    const LStringRef vertex = Text("VS_TRAIL");
    const LStringRef fragment = Text("FS_TRAIL");
    CGLContextLock lock(SharedGLContext());
    CGLProgram program;
    for (const char* getY : kGetY) {
        for (const char* getX : kGetX) {
            const char* vertexSources[] = {vertex.Text(), getY, getX};
            const char* fragmentSources[] = {fragment.Text()};
            program.Build(3, vertexSources, 1, fragmentSources);
            EXPECT_EQ(program.linked, 1) << program.Error() << "\n" << program.Log();
            program.Build(3, vertexSources, 0, nullptr); // a trail of depth 0 has no fragment stage
            EXPECT_EQ(program.linked, 1) << program.Error() << "\n" << program.Log();
        }
    }
    // Every uniform the renderer sets is live in the program that uses it (the compiler drops
    // unused ones: gZoom only serves the linear amplitude, gZoomDB the decibel one).
    for (size_t y = 0; y < 2; ++y) {
        const char* vertexSources[] = {vertex.Text(), kGetY[y], kGetX[1]};
        const char* fragmentSources[] = {fragment.Text()};
        program.Build(3, vertexSources, 1, fragmentSources);
        ASSERT_EQ(program.linked, 1);
        for (const char* uniform : {"gDepth", "gRSpects", "gFreqBase", "gSlice", "gColorScale", y ? "gZoomDB" : "gZoom"})
            EXPECT_GE(glGetUniformLocation(program.program, uniform), 0) << uniform;
    }
}
