#include "analysis/CBandList.h"
#include "analysis/render/TrailBand.h"
#include "analysis/render/TrailBuffer.h"
#include "analysis/render/TriangleNormal.h"
#include "foundation/core/RoundHalfAway.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kPer = 3;

// Slice j gets y = j + 1 at every vertex.
void Number(TrailBuffer& buffer, uint32_t depth)
{
    for (uint32_t j = 0; j < depth; ++j)
        for (uint32_t i = 0; i < kPer; ++i)
            buffer.Vertices()[j * kPer + i].y = float(j + 1);
}

std::vector<float> SliceValues(const TrailBuffer& buffer, uint32_t depth)
{
    std::vector<float> ys;
    for (uint32_t j = 0; j < depth; ++j) {
        const TrailVertex& v = buffer.Vertices()[j * kPer];
        EXPECT_EQ(v.z, float(j)) << "z stays with the place in the ring";
        ys.push_back(v.y);
    }
    return ys;
}

} // namespace

TEST(TrailBuffer, GrowingKeepsTheNewestFirstOrderAndShrinkingTheNewestSlices)
{
    TrailBuffer buffer;
    ASSERT_TRUE(buffer.Resize(4, kPer, 1, true, nullptr));
    Number(buffer, 4);
    ASSERT_TRUE(buffer.Resize(8, kPer, 1, false, nullptr));
    // Newest first from slice 1: 1, 0, 7, 6, ... reads old 1, 0, 3, 2, then empties.
    EXPECT_EQ(SliceValues(buffer, 8), (std::vector<float>{1, 2, 0, 0, 0, 0, 3, 4}));
    Number(buffer, 8);
    ASSERT_TRUE(buffer.Resize(4, kPer, 1, false, nullptr));
    EXPECT_EQ(SliceValues(buffer, 4), (std::vector<float>{1, 2, 7, 8}));
}

TEST(TrailBuffer, ResetFlattensEverySliceAndItsHistory)
{
    TrailBuffer buffer;
    ASSERT_TRUE(buffer.Resize(2, kPer, 0, true, nullptr));
    Number(buffer, 2);
    buffer.Previous()[1] = 5.0f;
    ASSERT_TRUE(buffer.Resize(2, kPer, 0, true, nullptr));
    EXPECT_EQ(SliceValues(buffer, 2), (std::vector<float>{0, 0}));
    EXPECT_EQ(buffer.Previous()[1], 0.0f);
    const TrailVertex& v = buffer.Vertices()[4];
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.ny, 1.0f);
}

TEST(TrailBand, MapsBandsToRoundedBinsAndStopsAtHalfTheRate)
{
    CBandList bands;
    bands.SetWidth(100.0f);
    const TrailBand band{&bands, 16, 500.0f, 32.0f / 1000.0f};
    uint32_t lo = 0, hi = 0;
    ASSERT_TRUE(band.ToBins(1, lo, hi));
    EXPECT_EQ(lo, 3u);  // 3.2
    EXPECT_EQ(hi, 6u);  // 6.4
    ASSERT_TRUE(band.ToBins(4, lo, hi));
    EXPECT_EQ(hi, 16u) << "clamped to the highest bin";
    EXPECT_FALSE(band.ToBins(5, lo, hi)) << "500 Hz is not below half the rate";
    const TrailBand silent{&bands, 16, 0.0f, 0.0f};
    EXPECT_FALSE(silent.ToBins(0, lo, hi)) << "rate 0 maps no band";
    EXPECT_EQ(RoundHalfAway(2.5f), 3.0f);
    EXPECT_EQ(RoundHalfAway(-2.5f), -3.0f);
}

TEST(TriangleNormal, IsTheUnitCrossProduct)
{
    const TrailPoint n = TriangleNormal({0, 0, 0}, {0, 0, -2}, {-3, 0, 0});
    EXPECT_FLOAT_EQ(n.x, 0.0f);
    EXPECT_FLOAT_EQ(n.y, 1.0f);
    EXPECT_FLOAT_EQ(n.z, 0.0f);
    const TrailPoint flat = TriangleNormal({1, 1, 1}, {1, 1, 1}, {1, 1, 1});
    EXPECT_EQ(flat.y, 1.0f);
}
