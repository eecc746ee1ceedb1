// A display context on a host window: its view sits in the content view at the frame, the
// drawn pixels land in the window image there, and covering panes keep their pixels.
#include "shell/gl/MGLView2.h"
#include "foundation/geometry/LRegion.h"
#include "platform/draw/Bitmap.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "platform/Clock.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/PresentPacer.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "tests/shell/gl/SharedGLFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

namespace {

constexpr uint32_t kPane = 0xFF336699;  // what the window's own drawing left
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr int kWidth = 120;
constexpr int kHeight = 80;
const CLRect kFrame{20, 30, 60, 50}; // window content coordinates, top-left origin

class MGLView2Test : public SharedGLFixture {
protected:
    void SetUp() override
    {
        SharedGLFixture::SetUp();
        fWindow = plat::Window::Make(plat::Rect{100, 100, kWidth, kHeight}, plat::kStyleTitled);
        fImage = std::make_shared<plat::Bitmap>(kWidth, kHeight);
        fImage->Fill(kPane);
        fWindow->SetBackingImage(fImage);
        fContext = std::make_unique<CGLContext>(fWindow.Get(), nullptr);
        ASSERT_TRUE(fContext->HasContext()) << fContext->Error();
    }
    void TearDown() override
    {
        fContext.reset();
        SharedGLFixture::TearDown();
    }

    // Red everywhere, green in the surface's top-left 10 x 5 pixels.
    void DrawScene()
    {
        CGLContextLock lock(fContext.get());
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, viewport[2], viewport[3], 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(0, 1, 0);
        glRecti(0, 0, 10, 5);
    }

    // What the window image should hold: the scene inside `shown`, the pane colour elsewhere.
    void ExpectImage(const LRegion& shown)
    {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                uint32_t expected = kPane;
                if (shown.Contains(CLPoint{x, y}))
                    expected = (x < kFrame.left + 10 && y < kFrame.top + 5) ? kGreen : kRed;
                ASSERT_EQ(fImage->Pixel(x, y), expected) << "at " << x << "," << y;
            }
        }
    }

    std::pair<int, int> Surface() const
    {
        return {fContext->Native()->SurfaceWidth(), fContext->Native()->SurfaceHeight()};
    }
    static std::tuple<double, double, double, double> Tie(const plat::Rect& r) { return {r.x, r.y, r.width, r.height}; }

    plat::WindowTestDriver fDriver;
    plat::Ref<plat::Window> fWindow;
    std::shared_ptr<plat::Bitmap> fImage;
    std::unique_ptr<CGLContext> fContext;
};

} // namespace

TEST_F(MGLView2Test, CoveredPartsKeepTheWindowsOwnPixels)
{
    const CLRect pane{40, 30, 80, 40}; // overlaps the frame's top-right part
    LRegion visible(kFrame);
    visible.Subtract(LRegion(pane));
    fContext->SetFrame(kFrame, visible);
    MGLView2* view = fContext->View();
    ASSERT_FALSE(view->IsOpaque());
    const auto& holes = *view->ClipRects();
    ASSERT_EQ(holes.size(), 2u); // one clear rectangle per visible piece, bottom-up inside the view
    EXPECT_EQ(Tie(holes[0]), Tie(plat::Rect{0, 10, 20, 10}));
    EXPECT_EQ(std::make_pair(holes[1].y, holes[1].width), std::make_pair(0.0, 40.0));
    DrawScene();
    fContext->FlushBuffer();
    ExpectImage(visible);

    fContext->SetFrame(kFrame, LRegion(kFrame)); // uncovered again
    EXPECT_TRUE(view->IsOpaque());
    fContext->FlushBuffer();
    ExpectImage(LRegion(kFrame));
}

TEST_F(MGLView2Test, RedrawPaintsTheLastPictureAgain)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    DrawScene();
    fContext->FlushBuffer();
    fImage->Fill(kPane); // the display cycle repainted the window's own content
    MGLView2* view = fContext->View();
    view->DrawRect(plat::Rect{0, 0, 5, 20}); // the left five columns only
    const CLRect strip{kFrame.left, kFrame.top, kFrame.left + 5, kFrame.bottom};
    ExpectImage(LRegion(strip));
}

// A surface made anew holds nothing that was presented: a redraw before the next present
// leaves the window's own pixels instead of showing whatever the new surface holds.
TEST_F(MGLView2Test, RedrawAfterTheSurfaceWasMadeAnewShowsNothingOfIt)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    DrawScene();
    fContext->FlushBuffer();
    const CLRect wider{kFrame.left, kFrame.top, kFrame.right + 10, kFrame.bottom};
    fContext->SetFrame(wider, LRegion(wider));
    fImage->Fill(kPane);
    MGLView2* view = fContext->View();
    view->DrawRect(view->Bounds());
    ExpectImage(LRegion());
}

TEST_F(MGLView2Test, MovingTheFrameResizesTheSurfaceAndViewport)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    const CLRect bigger{0, 0, 100, 70};
    fContext->SetFrame(bigger, LRegion(bigger));
    EXPECT_EQ(Surface(), std::make_pair(100, 70));
    CGLContextLock lock(fContext.get());
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 100, 70}));
}

TEST_F(MGLView2Test, DestroyingTheContextTakesTheViewOut)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    plat::Ref<MGLView2> view(fContext->View());
    fContext.reset();
    EXPECT_EQ(view->Superview(), nullptr);
    EXPECT_EQ(view->mGL, nullptr);
    EXPECT_TRUE(fWindow->ContentView()->Subviews().empty());
}

TEST_F(MGLView2Test, TwoThreadsDrawingOneSurfaceThroughTheLockSeeOnlyTheirOwnScene)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    constexpr int kRounds = 30;
    auto work = [this](float red, float blue) {
        const uint32_t background = 0xFF000000u | (red ? 0xFF0000u : 0u) | (blue ? 0xFFu : 0u);
        int good = 0;
        std::vector<uint32_t> pixels(40 * 20, 0);
        for (int round = 0; round < kRounds; ++round) {
            CGLContextLock lock(fContext.get());
            glClearColor(red, 0, blue, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            std::this_thread::sleep_for(std::chrono::microseconds(300)); // invite the other thread in
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, 40, 20, 0, -1, 1);
            glColor3f(0, 1, 0);
            glRecti(0, 0, 10, 5);
            bool whole = fContext->Native()->ReadPixels(pixels.data(), 40 * 4);
            for (int y = 0; y < 20 && whole; ++y)
                for (int x = 0; x < 40 && whole; ++x)
                    whole = pixels[size_t(y) * 40 + size_t(x)] == ((x < 10 && y < 5) ? kGreen : background);
            good += whole ? 1 : 0;
        }
        return good;
    };
    auto first = std::async(std::launch::async, work, 1.0f, 0.0f);
    auto second = std::async(std::launch::async, work, 0.0f, 1.0f);
    ASSERT_EQ(first.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    ASSERT_EQ(second.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_EQ(first.get(), kRounds);
    EXPECT_EQ(second.get(), kRounds);
}

TEST_F(MGLView2Test, FlushWithoutWindowImageKeepsThePictureForTheDisplayPass)
{
    fWindow->SetBackingImage(nullptr); // the display cycle makes its own image
    fContext->SetFrame(kFrame, LRegion(kFrame));
    DrawScene();
    fContext->FlushBuffer();
    const plat::Bitmap& picture = fContext->View()->Picture();
    ASSERT_EQ(picture.Width(), 40);
    EXPECT_EQ(std::make_pair(picture.Pixel(0, 0), picture.Pixel(39, 19)), std::make_pair(kGreen, kRed));
    fWindow->ContentView()->SetNeedsDisplay();
    ASSERT_TRUE(plat::DisplayCycle::Display(*fWindow));
    const plat::Bitmap* image = fWindow->BackingImage();
    ASSERT_NE(image, nullptr);
    const uint32_t background = image->Pixel(0, 0);
    EXPECT_NE(background, kRed);
    const std::tuple<int, int, uint32_t> probes[] = {
        {kFrame.left, kFrame.top, kGreen},       {kFrame.left + 9, kFrame.top + 4, kGreen},
        {kFrame.left + 10, kFrame.top, kRed},    {kFrame.right - 1, kFrame.bottom - 1, kRed},
        {kFrame.right, kFrame.bottom, background}, {kFrame.left - 1, kFrame.top, background}};
    for (const auto& [x, y, colour] : probes)
        EXPECT_EQ(image->Pixel(x, y), colour) << x << "," << y;
}

TEST_F(MGLView2Test, PresentingShowsTheImageOnlyForAWindowOnScreen)
{
    plat::ScopedVirtualClock clock(5000);
    plat::RunLoopDriver loop(plat::RunLoop::Current());
    plat::HeadlessBackend& backend = plat::HeadlessBackend::Shared();
    fContext->SetFrame(kFrame, LRegion(kFrame));
    DrawScene();
    int before = backend.presents;
    fContext->FlushBuffer();
    loop.RunForMs(clock.clock(), 20);
    EXPECT_EQ(backend.presents, before);
    fWindow->OrderFront();
    before = backend.presents;
    fContext->FlushBuffer();
    ExpectImage(LRegion(kFrame)); // in the image at once, on screen at the display period
    loop.RunForMs(clock.clock(), 20);
    EXPECT_EQ(backend.presents, before + 1);
}

// A context that presents far more often than the display refreshes (every 2 ms here) has
// its window shown at most once per 1/60 s, and the last picture still reaches the screen.
TEST_F(MGLView2Test, PresentsFasterThanTheDisplayShowTheWindowOncePerPeriod)
{
    plat::ScopedVirtualClock clock(5000);
    plat::RunLoopDriver loop(plat::RunLoop::Current());
    plat::HeadlessBackend& backend = plat::HeadlessBackend::Shared();
    fContext->SetFrame(kFrame, LRegion(kFrame));
    fWindow->OrderFront();
    loop.RunForMs(clock.clock(), 40);
    const int before = backend.presents;
    const uint64_t startUs = plat::NowUs();
    for (int pass = 0; pass < 50; ++pass) {
        DrawScene();
        fContext->FlushBuffer();
        loop.RunForMs(clock.clock(), 2);
    }
    const uint64_t elapsedUs = plat::NowUs() - startUs;
    const int shown = backend.presents - before;
    EXPECT_LE(uint64_t(shown), elapsedUs / plat::PresentPacer::kPeriodUs + 1);
    EXPECT_GE(uint64_t(shown), elapsedUs / plat::PresentPacer::kPeriodUs - 1);
    EXPECT_TRUE(plat::PresentPacer::Shared().Waiting(*fWindow) || backend.presents > before);
    loop.RunForMs(clock.clock(), 20);
    EXPECT_FALSE(plat::PresentPacer::Shared().Waiting(*fWindow)) << "the last picture waits no longer than a period";
    // The display cycle shows the window at once and takes the waiting pixels along.
    DrawScene();
    fContext->FlushBuffer();
    ASSERT_TRUE(plat::PresentPacer::Shared().Waiting(*fWindow));
    const int beforeCycle = backend.presents;
    fWindow->ContentView()->SetNeedsDisplay();
    ASSERT_TRUE(plat::DisplayCycle::Display(*fWindow));
    EXPECT_EQ(backend.presents, beforeCycle + 1);
    EXPECT_FALSE(plat::PresentPacer::Shared().Waiting(*fWindow));
    loop.RunForMs(clock.clock(), 40);
    EXPECT_EQ(backend.presents, beforeCycle + 1);
}

// Parts of the surface read into rows of any stride hold what the whole surface holds there;
// parts that leave the surface are refused.
TEST_F(MGLView2Test, ReadingPartsOfTheSurfaceGivesTheirPixelsOfTheWhole)
{
    fContext->SetFrame(kFrame, LRegion(kFrame));
    DrawScene();
    CGLContextLock lock(fContext.get());
    glColor3f(0, 0, 1);
    glRecti(30, 5, 33, 15); // a blue column at the right
    plat::GLContext& gl = *fContext->Native();
    const int width = kFrame.Width(), height = kFrame.Height();
    std::vector<uint32_t> whole(size_t(width * height));
    ASSERT_TRUE(gl.ReadPixels(whole.data(), size_t(width) * 4));
    const struct {
        int left, top, w, h, stride;
        bool fits;
    } cases[] = {
        {0, 0, width, height, width, true},  {5, 3, 10, 4, 17, true},   {29, 0, 11, 20, 11, true},
        {0, 19, 40, 1, 40, true},            {-1, 0, 10, 10, 10, false}, {0, 15, 10, 6, 10, false},
        {35, 0, 6, 10, 10, false},           {0, 0, 0, 10, 10, false},   {0, 0, 10, 10, 9, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.w << "x" << c.h);
        std::vector<uint32_t> part(size_t(std::max(1, c.stride * std::max(1, c.h))), 0x12345678u);
        ASSERT_EQ(gl.ReadPixels(c.left, c.top, c.w, c.h, part.data(), size_t(c.stride) * 4), c.fits);
        if (!c.fits)
            continue;
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.stride; ++x) {
                const uint32_t got = part[size_t(y * c.stride + x)];
                if (x >= c.w)
                    ASSERT_EQ(got, 0x12345678u) << "past the part's row at " << x << "," << y;
                else
                    ASSERT_EQ(got, whole[size_t((c.top + y) * width + c.left + x)]) << x << "," << y;
            }
        }
    }
}

// Before its window has an image the view keeps what it presents as its picture, opaque either
// way: drawn with alpha writes off after an opaque clear the pixels are kept as read, otherwise
// their alpha is set.
TEST_F(MGLView2Test, APictureKeptBeforeTheWindowHasAnImageIsTheOpaqueScene)
{
    plat::Ref<plat::Window> bare = plat::Window::Make(plat::Rect{100, 100, kWidth, kHeight}, plat::kStyleTitled);
    CGLContext context(bare.Get(), nullptr);
    ASSERT_TRUE(context.HasContext()) << context.Error();
    context.SetFrame(kFrame, LRegion(kFrame));
    for (const bool opaqueDrawn : {false, true}) {
        SCOPED_TRACE(opaqueDrawn ? "drawn opaque" : "drawn with alpha");
        {
            CGLContextLock lock(&context);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, kFrame.Width(), kFrame.Height(), 0, -1, 1);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glClearColor(1, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            if (opaqueDrawn)
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
            glColor4f(0, 1, 0, 0.25f); // its alpha reaches the surface only with alpha writes on
            glRecti(0, 0, 10, 5);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        }
        context.FlushBuffer(opaqueDrawn);
        const plat::Bitmap& picture = context.View()->Picture();
        ASSERT_EQ(picture.Width(), kFrame.Width());
        ASSERT_EQ(picture.Height(), kFrame.Height());
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                ASSERT_EQ(picture.Pixel(x, y), x < 10 && y < 5 ? kGreen : kRed) << "at " << x << "," << y;
    }
}
