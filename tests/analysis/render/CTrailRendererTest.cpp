// The trail renderer drawn with real OpenGL: lines where the bins are, the trail's strips,
// the colour-scale ends, and the ring's bookkeeping.
#include "analysis/CBandList.h"
#include "analysis/render/CTrailRenderer.h"
#include "tests/analysis/render/RenderTestKit.h"

#include "foundation/async/LTicks.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int32_t kW = 64;
constexpr int32_t kH = 32;
constexpr uint32_t kSpectrumColor = 0xBFFF00; // the default spectrum colour, as 0xRRGGBB

// A magnitude whose linear height lands on the centre of pixel row `row`.
float RowLevel(int row)
{
    return (float(row) + 0.5f) / float(kH);
}

// Rows (from the bottom) of column x that are not the background.
std::vector<int> LitRows(const std::vector<uint32_t>& pixels, int x)
{
    return GLArea::LitRows(pixels, kW, kH, x);
}

class CTrailRendererTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error(); }

    std::vector<uint32_t> DrawLine(RenderScene& scene, uint32_t requestedDepth = 0)
    {
        renderer.Rebuild(scene.input, requestedDepth, true);
        EXPECT_EQ(renderer.trailProgram.linked, 1) << renderer.trailProgram.Log();
        renderer.AddSlice(scene.input);
        area.Clear();
        renderer.Draw3D(scene.input, area.context.get(), 0);
        return area.Read();
    }

    plat::ScopedVirtualClock clock{1000};
    CTrailRenderer renderer;
    GLArea area{kW, kH};
};

} // namespace

TEST_F(CTrailRendererTest, FlatSpectrumIsOneLineInTheSpectrumColourUpToTheLastBin)
{
    RenderScene scene; // 32 points: 16 bins, bin k at x = 4k
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), RowLevel(12));
    const auto pixels = DrawLine(scene);
    EXPECT_EQ(renderer.perSlice, 16u);
    for (int x = 1; x <= 58; ++x) {
        EXPECT_EQ(GLArea::At(pixels, kW, kH, x, 12), kSpectrumColor) << "x " << x;
        EXPECT_EQ(LitRows(pixels, x), std::vector<int>{12}) << "x " << x;
    }
    for (int x = 61; x < kW; ++x)
        EXPECT_TRUE(LitRows(pixels, x).empty()) << "past the last bin, x " << x;
}

TEST_F(CTrailRendererTest, SpikeStandsAtItsBinLinearAndLogarithmic)
{
    RenderScene scene;
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), RowLevel(2));
    scene.Magnitude()[4] = RowLevel(28);
    auto top = [](const std::vector<uint32_t>& pixels, int x) {
        const auto rows = LitRows(pixels, x);
        return rows.empty() ? -1 : rows.back();
    };
    auto pixels = DrawLine(scene);
    EXPECT_GE(top(pixels, 16), 26) << "linear: bin 4 of 16 at a quarter of the width";
    EXPECT_LT(top(pixels, 8), 20);
    EXPECT_LT(top(pixels, 24), 20);

    // Logarithmic: bin b at 1 + ln(b / 16) / ln 16, so bin 4 stands at the middle.
    LObject::SetByte(scene.Common(), nullptr, kComnFqlg, 1, LObject::Merge::No);
    pixels = DrawLine(scene);
    EXPECT_GE(top(pixels, 32), 26);
    EXPECT_LT(top(pixels, 16), 20);
    EXPECT_LT(top(pixels, 48), 20);
}

TEST_F(CTrailRendererTest, DecibelHeightsRunFromMinus60ToZero)
{
    RenderScene scene;
    LObject::SetByte(scene.Common(), nullptr, kComnDb, 1, LObject::Merge::No);
    // 20 log10(m) = -60 + 60 x 12.5 / 32 dB lands on row 12; 0 drops to the floor.
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(),
              std::pow(10.0f, (-60.0f + 60.0f * 12.5f / 32.0f) / 20.0f));
    auto pixels = DrawLine(scene);
    EXPECT_EQ(LitRows(pixels, 30), std::vector<int>{12});
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), 0.0f);
    pixels = DrawLine(scene);
    const auto rows = LitRows(pixels, 30);
    EXPECT_TRUE(rows.empty() || rows == std::vector<int>{0}) << "a magnitude of 0 lies on the bottom edge";
}

TEST_F(CTrailRendererTest, CursorLinesStandAtTheChannelsCursorValues)
{
    RenderScene scene;
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), 0.0f);
    LObject* chan = scene.document.Root()->GetChild(kFdrsChns, 0);
    ASSERT_NE(chan, nullptr);
    LObject::SetFloat(chan, nullptr, kChanCrsv, RowLevel(20), LObject::Merge::No);
    LObject::SetFloat(chan, nullptr, kChanCrsh, 40.5f / kW, LObject::Merge::No);
    LObject::SetByte(scene.Colors(), nullptr, kColsCrop, 255, LObject::Merge::No);
    const uint8_t red[3] = {0xff, 0x00, 0x00};
    LObject::SetArray(scene.Colors(), nullptr, kColsCcrs, red, 3);
    const auto pixels = DrawLine(scene);
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 10, 20), 0xFF0000u);
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 40, 5), 0xFF0000u);
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 10, 19), 0u);
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 39, 5), 0u);
}

TEST_F(CTrailRendererTest, ColourScaleBarRunsFromBlueAtTheBottomToRedAtTheTop)
{
    RenderScene scene;
    renderer.Rebuild(scene.input, 0, true);
    GLArea bar(4, 32);
    bar.Clear(0x00FF00);
    renderer.DrawColourScale(scene.input, bar.context.get());
    const auto pixels = bar.Read();
    EXPECT_EQ(GLArea::At(pixels, 4, 32, 1, 0) & 0xFF00FF, 0x0000FFu);
    EXPECT_EQ(GLArea::At(pixels, 4, 32, 1, 31) & 0xFF00FF, 0xFF0000u);
}

TEST_F(CTrailRendererTest, EachExtraSliceDrawsOneMoreStripAndOnlyTheNewestIsDrawnAgain)
{
    RenderScene scene;
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), 0.25f);
    GLArea deep(kW, kH, 24);
    auto primitives = [&] {
        deep.Clear();
        GLuint query = 0;
        GLuint count = 0;
        {
            CGLContextLock lock(deep.context.get());
            glGenQueries(1, &query);
            glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        }
        renderer.Draw3D(scene.input, deep.context.get(), 0);
        CGLContextLock lock(deep.context.get());
        glEndQuery(GL_PRIMITIVES_GENERATED);
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
        glDeleteQueries(1, &query);
        return count;
    };
    // The first draw after a change draws every strip; the next one lays the stored older
    // strips (one quad) and draws the newest strip again. Both draw the cursors besides.
    constexpr GLuint kStrip = 2 * 16 - 2;
    struct Case {
        uint32_t depth;
        GLuint first;
        GLuint again;
    };
    GLuint cursors = 0;
    for (const Case& c : {Case{2, kStrip, kStrip}, Case{3, 2 * kStrip + 2, kStrip + 2}, Case{5, 4 * kStrip + 2, kStrip + 2}}) {
        renderer.Rebuild(scene.input, c.depth, true);
        renderer.AddSlice(scene.input);
        const GLuint first = primitives();
        if (c.depth == 2) {
            ASSERT_GE(first, kStrip);
            cursors = first - kStrip;
        }
        EXPECT_EQ(first, c.first + cursors) << "depth " << c.depth;
        EXPECT_EQ(primitives(), c.again + cursors) << "depth " << c.depth;
    }
    const auto pixels = deep.Read();
    EXPECT_NE(std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0; }), 0);
}

TEST_F(CTrailRendererTest, IndexPairsJoinEachVertexWithItsPlaceInTheSliceBefore)
{
    RenderScene scene;
    renderer.Rebuild(scene.input, 3, true);
    ASSERT_EQ(renderer.indices.Size(), 3u * 16 * 8);
    const auto* pairs = reinterpret_cast<const uint32_t*>(renderer.indices.Data());
    EXPECT_EQ(pairs[0], 0u);
    EXPECT_EQ(pairs[1], 32u);
    EXPECT_EQ(pairs[2 * 20], 20u);
    EXPECT_EQ(pairs[2 * 20 + 1], 4u);
    EXPECT_EQ(pairs[2 * 47 + 1], 31u);
}

TEST_F(CTrailRendererTest, NothingIsBuiltOrDrawnWithoutChannels)
{
    RenderScene scene(0);
    renderer.Rebuild(scene.input, 4, true);
    EXPECT_EQ(renderer.perSlice, 0u);
    EXPECT_TRUE(renderer.buffers.empty());
    renderer.AddSlice(scene.input);
    area.Clear(0x102030);
    renderer.Draw3D(scene.input, area.context.get(), 0);
    const auto pixels = area.Read();
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0x102030; }));
}

TEST_F(CTrailRendererTest, BandModeMakesABoxPerMappableBand)
{
    RenderScene scene(1, 5, 1024.0f); // 32 points at 1024 Hz: 32 Hz per bin, Nyquist 512 Hz
    CBandList bands;
    ASSERT_TRUE(bands.Insert({64.0f, 160.0f}));
    ASSERT_TRUE(bands.Insert({256.0f, 320.0f}));
    ASSERT_TRUE(bands.Insert({512.0f, 600.0f})); // at half the rate: left out
    scene.input.bands = &bands;
    auto& m = scene.Magnitude();
    for (uint32_t i = 0; i < m.size(); ++i)
        m[i] = float(i);
    renderer.Rebuild(scene.input, 1, true);
    ASSERT_EQ(renderer.perSlice, 8u);
    renderer.AddSlice(scene.input);
    const TrailVertex* v = renderer.buffers[0]->Vertices() + renderer.slice * 8;
    const float xs[8] = {2, 2, 5, 5, 8, 8, 10, 10};
    const float ys[8] = {0, 3, 3, 0, 0, 8.5f, 8.5f, 0}; // means of bins 2..4 and 8..9
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[i].x, xs[i]) << i;
        EXPECT_FLOAT_EQ(v[i].y, ys[i]) << i;
    }
}

TEST_F(CTrailRendererTest, SliceIntervalsFollowTheWindowSettings)
{
    RenderScene scene(1, 8, 120.0f);
    // Mode 0: every `trus` slices a second; 1: every `truf` analyses of 256 points; 2: every pass.
    // A rate below 1 Hz slices on every pass.
    const struct {
        uint8_t mode;
        uint32_t perSecond, analyses;
        float rate;
        uint32_t ms;
    } rows[] = {{0, 5, 4, 120.0f, 200}, {1, 5, 4, 120.0f, 533}, {2, 5, 4, 120.0f, 0}, {1, 5, 4, 0.1f, 0}};
    for (const auto& r : rows) {
        LObject::SetByte(scene.window, nullptr, kWindTrud, r.mode, LObject::Merge::No);
        LObject::SetUInt(scene.window, nullptr, kWindTrus, r.perSecond, LObject::Merge::No);
        LObject::SetUInt(scene.window, nullptr, kWindTruf, r.analyses, LObject::Merge::No);
        LObject::SetFloat(scene.window, nullptr, kWindRate, r.rate, LObject::Merge::No);
        EXPECT_EQ(CTrailRenderer::SliceInterval(scene.window, 256), r.ms) << int(r.mode) << " " << r.rate;
    }
}

TEST_F(CTrailRendererTest, SlicesKeepTheirCadenceAndRestartAfterAPause)
{
    RenderScene scene(1, 8, 120.0f);
    LObject::SetByte(scene.window, nullptr, kWindTrud, 0, LObject::Merge::No);
    LObject::SetUInt(scene.window, nullptr, kWindTrus, 5, LObject::Merge::No); // every 200 ms
    renderer.Rebuild(scene.input, 8, true);
    renderer.lastSliceMs = LTicks::Now();
    renderer.AddSlice(scene.input);
    EXPECT_EQ(renderer.slice, 0u);
    clock.AdvanceMs(250);
    renderer.AddSlice(scene.input);
    EXPECT_EQ(renderer.slice, 1u);
    EXPECT_EQ(renderer.lastSliceMs, 1200u) << "the cadence is kept";
    clock.AdvanceMs(1000);
    renderer.AddSlice(scene.input);
    EXPECT_EQ(renderer.slice, 2u);
    EXPECT_EQ(renderer.lastSliceMs, 2250u) << "a whole interval behind: restart from now";
}

TEST_F(CTrailRendererTest, EventTextOfASliceBecomesItsLabel)
{
    RenderScene scene;
    LObject::SetByte(scene.window, nullptr, kWindTrud, 2, LObject::Merge::No);
    renderer.Rebuild(scene.input, 4, true);
    scene.analyser.Append("kick");
    scene.analyser.Commit();
    renderer.AddSlice(scene.input);
    ASSERT_EQ(renderer.labels.Count(), 1u);
    EXPECT_EQ(renderer.labels.At(0).id, renderer.slice);
    EXPECT_EQ(renderer.labels.At(0).text.View(), "kick");
    renderer.Rebuild(scene.input, 4, false);
    EXPECT_EQ(renderer.labels.Count(), 1u) << "nothing changed: the rebuild stops early";
    renderer.Rebuild(scene.input, 6, false);
    EXPECT_EQ(renderer.labels.Count(), 0u) << "a new depth clears the labels";
}

TEST_F(CTrailRendererTest, OneBinSpectrumDrawsNothingAndStaysFinite)
{
    RenderScene scene(1, 1); // 2 points: one bin
    scene.Magnitude()[0] = 0.5f;
    LObject::SetByte(scene.Common(), nullptr, kComnFqlg, 1, LObject::Merge::No);
    const auto pixels = DrawLine(scene, 3);
    EXPECT_EQ(renderer.perSlice, 1u);
    EXPECT_TRUE(GLArea::AllBlack(pixels));
    const TrailVertex& v = renderer.buffers[0]->Vertices()[renderer.slice];
    EXPECT_EQ(v.y, 0.5f);
    EXPECT_TRUE(std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz));
}

// The line and the cursors are drawn flat-shaded, the cursors without a depth test while
// nothing writes depth; whatever the caller had set stays set for what it draws next.
TEST_F(CTrailRendererTest, DrawingGivesBackTheStateItFound)
{
    RenderScene scene;
    std::fill(scene.Magnitude().begin(), scene.Magnitude().end(), RowLevel(12));
    LObject* chan = scene.document.Root()->GetChild(kFdrsChns, 0);
    LObject::SetFloat(chan, nullptr, kChanCrsv, RowLevel(20), LObject::Merge::No);
    LObject::SetFloat(chan, nullptr, kChanCrsh, 0.5f, LObject::Merge::No);
    for (const uint32_t depth : {0u, 4u}) {
        for (const DrawState& before : DrawState::Samples()) {
            SCOPED_TRACE(testing::PrintToString(before) + ", trail depth " + std::to_string(depth));
            renderer.Rebuild(scene.input, depth, true);
            renderer.AddSlice(scene.input);
            area.Clear();
            CGLContextLock lock(area.context.get());
            before.Apply();
            renderer.Draw3D(scene.input, area.context.get(), 0);
            EXPECT_EQ(DrawState::Current(), before);
        }
    }
}
