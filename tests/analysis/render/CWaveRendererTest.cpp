// The waveform renderer drawn with real OpenGL: one column per pixel with its minimum and
// maximum, the dimmed part before the FFT window, cursors, and empty or one-sample inputs.
#include "analysis/render/CWaveRenderer.h"
#include "tests/analysis/render/RenderTestKit.h"

namespace {

constexpr int32_t kW = 16;
constexpr int32_t kH = 32;
constexpr uint32_t kSample = 0x007FFF;  // the default sample colour as 0xRRGGBB
constexpr uint32_t kDimmed = 0x004F9F;  // five eighths of it

// A sample whose height lands on the centre of pixel row `row`.
float RowLevel(int row)
{
    return (float(row) + 0.5f) / float(kH);
}

class CWaveRendererTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error();
        // Cursors and the centre line out of the way: cursors below the view, no grid line
        // colour on the rows the tests read.
        LObject* chan = scene.document.Root()->GetChild(kFdrsChns, 0);
        LObject::SetFloat(chan, nullptr, kChanCrrv, -1.0f, LObject::Merge::No);
        LObject::SetFloat(chan, nullptr, kChanCrrh, -1.0f, LObject::Merge::No);
        const uint8_t black[3] = {0, 0, 0};
        LObject::SetArray(scene.Colors(), nullptr, kColsCgrd, black, 3);
    }

    // Samples of the snapshot, oldest first, ending at the load index 0.
    void SetSamples(const std::vector<float>& samples)
    {
        CSpectrumChan& chan = *scene.analyser.Channel(0);
        chan.loadIndex = 0;
        const uint32_t n = uint32_t(samples.size());
        for (uint32_t i = 0; i < n; ++i)
            chan.snapshot[(0 - n + i) & chan.mask] = samples[i];
        scene.input.waveSamples = n;
    }

    std::vector<uint32_t> Draw(uint32_t channel = 0)
    {
        area.Clear();
        renderer.Draw(scene.input, area.context.get(), channel);
        return area.Read();
    }
    static std::vector<int> LitRows(const std::vector<uint32_t>& pixels, int x) { return GLArea::LitRows(pixels, kW, kH, x); }

    RenderScene scene{1, 5, 1024.0f}; // FFT of 32 points, ring of 32 samples
    CWaveRenderer renderer;
    GLArea area{kW, kH};
};

} // namespace

TEST_F(CWaveRendererTest, EachColumnSpansItsMinimumToItsMaximum)
{
    // 32 samples over 16 columns: a step from row 6 to row 24 in the middle of the trace.
    std::vector<float> samples(32, RowLevel(6));
    std::fill(samples.begin() + 16, samples.end(), RowLevel(24));
    SetSamples(samples);
    const auto pixels = Draw();
    EXPECT_EQ(LitRows(pixels, 3), std::vector<int>{6}) << "a flat column is one point";
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 3, 6), kSample);
    EXPECT_EQ(LitRows(pixels, 11), std::vector<int>{24});
    // The column holding the step runs from one level to the other.
    const int step = 7; // the first column takes three samples, every later one two
    const auto rows = LitRows(pixels, step);
    ASSERT_FALSE(rows.empty());
    EXPECT_LE(rows.front(), 7);
    EXPECT_GE(rows.back(), 23);
    EXPECT_GT(rows.size(), 15u);
}

TEST_F(CWaveRendererTest, SamplesBeforeTheFftWindowAreDimmed)
{
    SetSamples(std::vector<float>(32, RowLevel(10)));
    auto pixels = Draw();
    for (int x = 1; x < 14; ++x)
        EXPECT_EQ(GLArea::At(pixels, kW, kH, x, 10), kSample) << "the trace is the FFT window, x " << x;
    ASSERT_TRUE(scene.analyser.Setup(1, 5, 6)); // ring of 64 for a trail-length trace
    SetSamples(std::vector<float>(64, RowLevel(10)));
    pixels = Draw();
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 3, 10), kDimmed);
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 12, 10), kSample);
}

TEST_F(CWaveRendererTest, CursorsStandAtTheChannelsLevels)
{
    SetSamples({});
    LObject* chan = scene.document.Root()->GetChild(kFdrsChns, 0);
    LObject::SetFloat(chan, nullptr, kChanCrrv, RowLevel(4), LObject::Merge::No);
    LObject::SetFloat(chan, nullptr, kChanCrrh, RowLevel(27), LObject::Merge::No);
    LObject::SetByte(scene.Colors(), nullptr, kColsCrop, 255, LObject::Merge::No);
    const auto pixels = Draw();
    for (int x = 0; x < kW; ++x)
        EXPECT_EQ(LitRows(pixels, x), (std::vector<int>{4, 27})) << "x " << x;
    EXPECT_EQ(GLArea::At(pixels, kW, kH, 5, 4), 0xFF7F7Fu);
}

TEST_F(CWaveRendererTest, EmptyAndOneSampleInputsAndAChannelPastTheAnalyserDrawNothing)
{
    SetSamples({});
    EXPECT_TRUE(GLArea::AllBlack(Draw()));
    SetSamples({RowLevel(9)});
    EXPECT_TRUE(GLArea::AllBlack(Draw()));
    SetSamples(std::vector<float>(32, RowLevel(10)));
    EXPECT_TRUE(GLArea::AllBlack(Draw(3)));
}

// The trace is drawn without blending and everything flat-shaded; whatever the caller had
// set stays set for what it draws next.
TEST_F(CWaveRendererTest, DrawingGivesBackTheStateItFound)
{
    SetSamples({RowLevel(4), RowLevel(20), RowLevel(8), RowLevel(28)});
    LObject* chan = scene.document.Root()->GetChild(kFdrsChns, 0);
    LObject::SetFloat(chan, nullptr, kChanCrrv, 0.5f, LObject::Merge::No); // a cursor in the view
    for (const DrawState& before : DrawState::Samples()) {
        SCOPED_TRACE(testing::PrintToString(before));
        area.Clear();
        CGLContextLock lock(area.context.get());
        before.Apply();
        renderer.Draw(scene.input, area.context.get(), 0);
        EXPECT_EQ(DrawState::Current(), before);
    }
    EXPECT_FALSE(GLArea::AllBlack(area.Read()));
}
