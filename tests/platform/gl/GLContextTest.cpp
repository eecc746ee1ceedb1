#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

std::unique_ptr<plat::GLContext> MakeContext(const plat::GLPixelFormat& format = {},
                                             plat::GLContext* share = nullptr)
{
    std::string error;
    auto context = plat::GLContext::Create(format, share, error);
    EXPECT_TRUE(context) << error;
    return context;
}

// A surface's pixels read back, top row first.
struct Pixels {
    int32_t width = 0;
    std::vector<uint32_t> words;
    uint32_t At(int32_t x, int32_t y) const { return words[size_t(y) * size_t(width) + size_t(x)]; }
};

Pixels ReadBack(plat::GLContext& context)
{
    Pixels pixels;
    pixels.width = context.SurfaceWidth();
    pixels.words.assign(size_t(pixels.width) * size_t(context.SurfaceHeight()), 0);
    EXPECT_TRUE(context.ReadPixels(pixels.words.data(), size_t(pixels.width) * 4));
    return pixels;
}

// A projection in which one unit is one pixel, y growing downward from the top-left corner.
void PixelProjection(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void FillRect(float left, float top, float right, float bottom)
{
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
}

class GLContextTest : public testing::Test {
protected:
    void TearDown() override { plat::GLContext::ClearCurrent(); }
};

} // namespace

TEST_F(GLContextTest, DisplayExistsAndContextIsCompatibilityProfile)
{
    EXPECT_EQ(plat::GLContext::DisplayError(), "");
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->MakeCurrent());
    EXPECT_EQ(plat::GLContext::Current(), context.get());
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_NE(std::string(version).find("Compatibility"), std::string::npos) << version;
    GLint majorVersion = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &majorVersion);
    EXPECT_GE(majorVersion, 3);
}

TEST_F(GLContextTest, DrawsKnownSceneAndReadsItBackTopRowFirst)
{
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->SetSurfaceSize(16, 8));
    ASSERT_TRUE(context->MakeCurrent());
    PixelProjection(16, 8);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 0, 0);
    FillRect(2, 1, 6, 3); // red, near the top
    glColor3f(0, 1, 0);
    FillRect(10, 5, 16, 8); // green, bottom-right corner
    context->Finish();

    const Pixels pixels = ReadBack(*context);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            uint32_t expected = kBlue;
            if (x >= 2 && x < 6 && y >= 1 && y < 3)
                expected = kRed;
            if (x >= 10 && y >= 5)
                expected = kGreen;
            ASSERT_EQ(pixels.At(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_F(GLContextTest, ReadBackIsOpaqueWhateverAlphaWasDrawn)
{
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->SetSurfaceSize(2, 2));
    ASSERT_TRUE(context->MakeCurrent());
    glClearColor(0, 1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    const Pixels pixels = ReadBack(*context);
    EXPECT_EQ(pixels.At(1, 1), kGreen);
}

TEST_F(GLContextTest, PartsReadBackOpaqueWithTheirColoursAtEveryWidth)
{
    // Each pixel's colour and alpha differ (alpha 0 to 255), so any word copied from the wrong
    // place or left transparent shows; the widths cover blocks of eight and what is left over.
    constexpr int32_t kWidth = 40, kHeight = 3;
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->SetSurfaceSize(kWidth, kHeight));
    ASSERT_TRUE(context->MakeCurrent());
    std::vector<uint32_t> drawn(size_t(kWidth) * kHeight); // bottom row first, as GL counts
    for (size_t i = 0; i < drawn.size(); ++i)
        drawn[i] = uint32_t(i * 0x01030507u) ^ uint32_t(i << 24);
    glWindowPos2i(0, 0);
    glDrawPixels(kWidth, kHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, drawn.data());
    struct Case {
        int32_t left, top, width, height;
    };
    const Case cases[] = {{0, 0, 1, 1}, {3, 1, 7, 2}, {1, 0, 8, 3}, {5, 2, 9, 1}, {0, 0, 16, 3}, {7, 0, 33, 3}, {0, 1, 40, 2}};
    // A caller whose drawing kept alpha at 255 gets the words as they are: here alpha shows
    // that nothing was set on the way.
    for (const bool opaqueDrawn : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.width << "x" << c.height
                                            << (opaqueDrawn ? ", drawn opaque" : ""));
            const size_t stride = size_t(c.width) + 3; // rows wider than the part: their ends stay
            std::vector<uint32_t> out(stride * size_t(c.height), 0x12345678u);
            ASSERT_TRUE(context->ReadPixels(c.left, c.top, c.width, c.height, out.data(), stride * 4, opaqueDrawn));
            for (int32_t y = 0; y < c.height; ++y) {
                const size_t from = size_t(kHeight - 1 - (c.top + y)) * kWidth;
                for (int32_t x = 0; x < c.width; ++x) {
                    const uint32_t word = drawn[from + size_t(c.left + x)];
                    ASSERT_EQ(out[size_t(y) * stride + size_t(x)], opaqueDrawn ? word : word | 0xFF000000u)
                        << "at " << x << "," << y;
                }
                for (size_t x = size_t(c.width); x < stride; ++x)
                    ASSERT_EQ(out[size_t(y) * stride + x], 0x12345678u);
            }
        }
    }
}

TEST_F(GLContextTest, ReadPixelsRefusesWithoutSurfaceOrCurrentContext)
{
    auto context = MakeContext();
    ASSERT_TRUE(context);
    uint32_t word = 0;
    ASSERT_TRUE(context->MakeCurrent()); // surfaceless: objects only
    EXPECT_FALSE(context->ReadPixels(&word, 4));
    ASSERT_TRUE(context->SetSurfaceSize(1, 1));
    plat::GLContext::ClearCurrent();
    EXPECT_FALSE(context->ReadPixels(&word, 4));
    ASSERT_TRUE(context->MakeCurrent());
    EXPECT_FALSE(context->ReadPixels(&word, 2)) << "a row must fit the stride";
}

TEST_F(GLContextTest, ResizingACurrentContextKeepsItCurrentOnTheNewSurface)
{
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->SetSurfaceSize(4, 4));
    ASSERT_TRUE(context->MakeCurrent());
    ASSERT_TRUE(context->SetSurfaceSize(7, 3));
    EXPECT_EQ(plat::GLContext::Current(), context.get());
    EXPECT_EQ(context->SurfaceWidth(), 7);
    EXPECT_EQ(context->SurfaceHeight(), 3);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const Pixels pixels = ReadBack(*context);
    EXPECT_EQ(pixels.At(6, 2), kRed);

    ASSERT_TRUE(context->SetSurfaceSize(0, 5)); // no area: no surface
    EXPECT_EQ(context->SurfaceWidth(), 0);
    EXPECT_EQ(context->SurfaceHeight(), 0);
    EXPECT_EQ(plat::GLContext::Current(), context.get());
}

TEST_F(GLContextTest, ObjectsOfTheShareContextAreVisibleFromAnother)
{
    auto share = MakeContext();
    ASSERT_TRUE(share);
    ASSERT_TRUE(share->MakeCurrent());
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const uint8_t texel[4] = {0x12, 0x34, 0x56, 0xFF}; // red, green, blue, alpha
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glFinish();

    auto view = MakeContext({24, 0}, share.get());
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->SetSurfaceSize(4, 4));
    ASSERT_TRUE(view->MakeCurrent());
    ASSERT_TRUE(glIsTexture(texture));
    PixelProjection(4, 4);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 1, 1);
    FillRect(0, 0, 4, 4);
    const Pixels pixels = ReadBack(*view);
    EXPECT_EQ(pixels.At(0, 0), 0xFF123456u);
    EXPECT_EQ(pixels.At(3, 3), 0xFF123456u);

    auto stranger = MakeContext();
    ASSERT_TRUE(stranger);
    ASSERT_TRUE(stranger->MakeCurrent());
    EXPECT_FALSE(glIsTexture(texture)) << "a context made without the share context sees none of it";
}

TEST_F(GLContextTest, MultisamplingFollowsTheSampleCount)
{
    auto single = MakeContext({0, 1});
    ASSERT_TRUE(single);
    EXPECT_FALSE(single->IsMultisampled());
    auto multi = MakeContext({24, 4});
    ASSERT_TRUE(multi);
    EXPECT_TRUE(multi->IsMultisampled());
    ASSERT_TRUE(multi->SetSurfaceSize(3, 3));
    ASSERT_TRUE(multi->MakeCurrent());
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(ReadBack(*multi).At(2, 2), kBlue);
}

TEST_F(GLContextTest, UnmatchedFormatGivesNoContextAndAReason)
{
    std::string error;
    auto context = plat::GLContext::Create({200, 0}, nullptr, error);
    EXPECT_FALSE(context);
    EXPECT_NE(error.find("pixel format"), std::string::npos) << error;
}

TEST_F(GLContextTest, DestroyingTheCurrentContextLeavesNoneCurrent)
{
    auto context = MakeContext();
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->MakeCurrent());
    context.reset();
    EXPECT_EQ(plat::GLContext::Current(), nullptr);
}

TEST(GLContextDeathTest, MissingDisplayGivesAClearError)
{
    // A fresh process whose EGL library finds no driver at all.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent/egl_vendor.json", 1);
            std::string error;
            auto context = plat::GLContext::Create({}, nullptr, error);
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(!context && error == plat::GLContext::DisplayError() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "no OpenGL display: EGL on the surfaceless platform is unavailable");
}
