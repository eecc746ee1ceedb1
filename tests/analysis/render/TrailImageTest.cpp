// The stored image of a trail's older strips: copied back it gives exactly the colours and
// depths of drawing them directly, and the renderer never shows one that is out of date.
#include "analysis/gl/CGLProgram.h"
#include "analysis/render/CTrailRenderer.h"
#include "analysis/render/TrailImage.h"
#include "tests/analysis/render/RenderTestKit.h"

#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

#include <cmath>
#include <functional>

namespace {

constexpr int32_t kW = 64;
constexpr int32_t kH = 40;

size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t count = a.size() == b.size() ? 0 : std::max(a.size(), b.size());
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        count += a[i] != b[i];
    return count;
}

void Quad(float x0, float y0, float x1, float y1, float z, uint32_t rgb)
{
    glColor3ub(GLubyte(rgb >> 16), GLubyte(rgb >> 8), GLubyte(rgb));
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(x0, y0, z), glVertex3f(x1, y0, z), glVertex3f(x0, y1, z), glVertex3f(x1, y1, z);
    glEnd();
}

// Two overlapping quads at different depths, one tilted so depths vary across it.
void DrawScene()
{
    Quad(-0.8f, -0.8f, 0.3f, 0.5f, -0.2f, 0xC03010);
    glColor3ub(0x10, 0x90, 0xE0);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.5f, -0.9f, -0.6f), glVertex3f(0.9f, -0.2f, 0.7f), glVertex3f(-0.1f, 0.9f, 0.0f);
    glEnd();
}

} // namespace

TEST(TrailImageTest, RestoredImageGivesTheColoursAndDepthsOfDrawingDirectly)
{
    ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error();
    GLArea area(kW, kH, 24);
    TrailImage image;
    CGLProgram program;
    {
        CGLContextLock lock(SharedGLContext());
        program.Build(1, &TrailImage::kVertexText, 1, &TrailImage::kFragmentText);
        ASSERT_EQ(program.linked, 1) << program.Log();
    }
    const GLint viewports[][4] = {{0, 0, kW, kH}, {5, 3, kW - 9, kH - 5}};
    for (const auto& v : viewports) {
        // A plane at middle depth over everything shows what the depth buffer holds.
        auto draw = [&](bool stored) {
            area.Clear(0x203040);
            {
                CGLContextLock lock(area.context.get());
                glViewport(v[0], v[1], v[2], v[3]);
                glEnable(GL_DEPTH_TEST);
                if (stored) {
                    TrailImageKey key;
                    glGetIntegerv(GL_VIEWPORT, key.viewport);
                    EXPECT_TRUE(image.Capture(key, DrawScene));
                    EXPECT_TRUE(image.Restore(program.program));
                    EXPECT_TRUE(image.Holds(key));
                } else {
                    DrawScene();
                }
                Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.1f, 0xFFFFFF);
                glDisable(GL_DEPTH_TEST);
                glViewport(0, 0, kW, kH);
            }
            return area.Read();
        };
        const auto direct = draw(false);
        EXPECT_EQ(Differences(draw(true), direct), 0u) << "viewport at " << v[0] << ", " << v[1];
        EXPECT_GT(std::count(direct.begin(), direct.end(), 0xC03010u), 0) << "the near quad shows";
        EXPECT_GT(std::count(direct.begin(), direct.end(), 0xFFFFFFu), 0) << "the plane shows";
    }
}

TEST(TrailImageTest, TrailDrawnAgainAfterAChangeShowsWhatAFreshRendererShows)
{
    ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error();
    plat::ScopedVirtualClock clock{1000};
    RenderScene scene(1, 5);
    LObject::SetByte(scene.window, nullptr, kWindTrud, 0, LObject::Merge::No);
    LObject::SetUInt(scene.window, nullptr, kWindTrus, 1, LObject::Merge::No); // a slice a second
    GLArea area(kW, kH, 24);
    uint32_t background = 0;
    // Writes spectrum `s` into the newest slice, first pushing in a new slice when asked.
    auto step = [&](CTrailRenderer& renderer, uint32_t s, bool advance) {
        auto& m = scene.Magnitude();
        for (size_t k = 0; k < m.size(); ++k)
            m[k] = 0.2f + 0.6f * std::fabs(std::sin(0.7f * float(k) + float(s)));
        renderer.lastSliceMs = LTicks::Now() - (advance ? 1000 : 0);
        renderer.AddSlice(scene.input);
    };
    // Cleared as the channel list clears, which puts the clear colour back afterwards.
    auto draw = [&](CTrailRenderer& renderer) {
        {
            CGLContextLock lock(area.context.get());
            glPushAttrib(GL_COLOR_BUFFER_BIT);
            glClearColor(((background >> 16) & 0xff) / 255.0f, ((background >> 8) & 0xff) / 255.0f,
                         (background & 0xff) / 255.0f, 1.0f);
            glClearDepth(1.0);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glPopAttrib();
        }
        renderer.Draw3D(scene.input, area.context.get(), 0);
        return area.Read();
    };
    LObject* colors = scene.Colors();
    auto set = [&](uint8_t field, float value) { LObject::SetFloat(colors, nullptr, field, value, LObject::Merge::No); };
    struct Change {
        const char* what;
        std::function<void(CTrailRenderer&)> apply; // to the drawn renderer and the fresh one
    };
    const Change changes[] = {
        {"nothing", [](CTrailRenderer&) {}},
        {"newest slice rewritten", [&](CTrailRenderer& r) { step(r, 5, false); }},
        {"ring advanced", [&](CTrailRenderer& r) { step(r, 5, true); }},
        {"zoom", [&](CTrailRenderer&) { scene.input.zoom = 2; }},
        {"shear", [&](CTrailRenderer&) { set(kColsTrdh, 0.3f); }},
        {"colour scale", [&](CTrailRenderer&) { set(kColsClsc, 0.5f); }},
        {"background", [&](CTrailRenderer&) { background = 0x304050; }},
    };
    for (const Change& change : changes) {
        scene.input.zoom = 1;
        background = 0;
        set(kColsTrdh, 0.1f);
        set(kColsClsc, 1.0f);
        auto fill = [&](CTrailRenderer& renderer) {
            renderer.Rebuild(scene.input, 6, true);
            for (uint32_t s = 0; s < 5; ++s)
                step(renderer, s, s < 4);
        };
        CTrailRenderer reused;
        fill(reused);
        const auto before = draw(reused);
        EXPECT_EQ(Differences(draw(reused), before), 0u) << "drawn again unchanged";
        change.apply(reused);
        const auto after = draw(reused);
        CTrailRenderer fresh;
        fill(fresh);
        change.apply(fresh);
        EXPECT_EQ(Differences(after, draw(fresh)), 0u) << change.what;
        EXPECT_GT(std::count(after.begin(), after.end(), background), 0) << change.what << ": the background shows";
        if (std::string_view(change.what) != "nothing") {
            EXPECT_NE(Differences(before, after), 0u) << change.what << " changes the picture";
        }
    }
}
