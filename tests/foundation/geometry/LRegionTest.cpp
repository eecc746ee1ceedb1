#include "foundation/geometry/LRegion.h"
#include "tests/foundation/FailingAllocations.h"

#include <gtest/gtest.h>

#include <tuple>

#include <limits>
#include <thread>
#include <vector>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

LRegion Rgn(int32_t l, int32_t t, int32_t r, int32_t b) { return LRegion(CLRect{l, t, r, b}); }

LRegion Of(std::initializer_list<CLRect> rects)
{
    LRegion region;
    for (const CLRect& r : rects)
        region.Union(LRegion(r));
    return region;
}

// The region after one operation, so each case reads as one line.
template <typename Op>
LRegion After(LRegion r, Op op)
{
    op(r);
    return r;
}

std::vector<int32_t> Words(const LRegion& region)
{
    if (!region.Get() || !region.Get()->bands)
        return {};
    const int32_t* w = region.Get()->bands;
    return std::vector<int32_t>(w, w + w[0]);
}

} // namespace

TEST(LRegion, EmptyRectangleGivesTheNullHandleAndUnionsAreCanonical)
{
    LRegion r = Rgn(5, 5, 5, 10);
    EXPECT_EQ(r.Get(), nullptr);
    EXPECT_EQ(r.GetBounds(), CLRect{});
    r.SetRect(CLRect{1, 2, 3, 4});
    EXPECT_TRUE(r.IsRect());
    r.SetRect(CLRect{3, 2, 1, 4});
    EXPECT_TRUE(r.IsEmpty());

    const LRegion side = Of({{0, 0, 10, 10}, {10, 0, 20, 10}});
    EXPECT_TRUE(side.IsRect());
    EXPECT_EQ(side.GetBounds(), (CLRect{0, 0, 20, 10}));
    const LRegion two = Of({{0, 0, 10, 10}, {20, 0, 30, 10}});
    EXPECT_EQ(Words(two), (std::vector<int32_t>{9, 0, 2, 0, 10, 20, 30, 10, 0}));
    EXPECT_EQ(two.GetBounds(), (CLRect{0, 0, 30, 10}));
    // Filling the gap turns the band list back into a plain rectangle.
    LRegion filled = two;
    filled.Union(Rgn(10, 0, 20, 10));
    EXPECT_TRUE(filled.IsRect());
    EXPECT_TRUE(filled.Equals(Rgn(0, 0, 30, 10)));
    EXPECT_EQ(Words(two).size(), 9u) << "the shared original is untouched";
}

TEST(LRegion, EqualsHoldsForAnyBuildOrderAndEmptyOrSelfOperandsAreSafe)
{
    const LRegion a = Of({{0, 0, 10, 10}, {5, 5, 20, 20}, {-3, 18, 2, 30}});
    const LRegion b = Of({{-3, 18, 2, 30}, {5, 5, 20, 20}, {0, 0, 10, 10}});
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ(Words(a), Words(b));
    EXPECT_FALSE(a.Equals(Rgn(0, 0, 10, 10)));
    EXPECT_FALSE(a.Equals(LRegion()));
    EXPECT_TRUE(LRegion().Equals(LRegion()));

    LRegion empty;
    empty.Subtract(Rgn(0, 0, 5, 5));
    EXPECT_TRUE(empty.IsEmpty());
    LRegion r = Of({{0, 0, 10, 10}, {20, 0, 30, 10}});
    const LRegionData* block = r.Get();
    r.Subtract(LRegion());
    r.Union(LRegion());
    r.Xor(LRegion());
    EXPECT_EQ(r.Get(), block);
    LRegion shared;
    shared.Union(r);
    EXPECT_EQ(shared.Get(), block) << "union into the empty region shares the block";
    EXPECT_TRUE(After(r, [](LRegion& x) { x.Xor(x); }).IsEmpty());
    EXPECT_TRUE(After(r, [](LRegion& x) { x.Subtract(x); }).IsEmpty());
    EXPECT_TRUE(After(r, [](LRegion& x) { x.Intersect(x); }).Equals(r));
    EXPECT_TRUE(After(Rgn(0, 0, 10, 10), [](LRegion& x) { x.Intersect(Rgn(10, 10, 20, 20)); }).IsEmpty());
}

TEST(LRegion, ContainsIntersectsAndRectanglesRespectHoles)
{
    LRegion ring = Rgn(0, 0, 9, 9);
    ring.Subtract(Rgn(3, 3, 6, 6));
    for (const auto& [point, inside] : {std::pair(CLPoint{0, 0}, true), {CLPoint{8, 8}, true}, {CLPoint{4, 4}, false},
                                        {CLPoint{0, 9}, false}, {CLPoint{9, 0}, false}})
        EXPECT_EQ(ring.Contains(point), inside) << point.x << "," << point.y;
    for (const auto& [rect, meets] : {std::pair(CLRect{3, 3, 6, 6}, false), {CLRect{5, 5, 7, 7}, true},
                                      {CLRect{9, 0, 12, 9}, false}, {CLRect{4, 4, 4, 5}, false}})
        EXPECT_EQ(ring.Intersects(rect), meets) << rect.left << "," << rect.top;
    EXPECT_FALSE(LRegion().Contains({0, 0}));

    // Rectangles come out top to bottom.
    LRectList rects;
    ring.GetRects(rects);
    ASSERT_EQ(rects.Count(), 4u);
    EXPECT_EQ((std::vector<CLRect>{rects[0], rects[1], rects[2], rects[3]}),
              (std::vector<CLRect>{{0, 0, 9, 3}, {0, 3, 3, 6}, {6, 3, 9, 6}, {0, 6, 9, 9}}));
    LCGRectList floats;
    ASSERT_TRUE(floats.Append(plat::Rect{1, 1, 1, 1}));
    Rgn(2, 3, 7, 11).GetCGRects(floats);
    ASSERT_EQ(floats.Count(), 1u);
    EXPECT_EQ(std::pair(floats[0].x, floats[0].height), std::pair(2.0, 8.0));
}

TEST(LRegion, CopiesAreIndependentAndSoleHolderReusesItsBlock)
{
    LRegion a = Rgn(0, 0, 10, 10);
    LRegion b = a;
    b.Offset(5, 5);
    EXPECT_EQ(std::pair(a.GetBounds(), b.GetBounds()), std::pair(CLRect{0, 0, 10, 10}, CLRect{5, 5, 15, 15}));
    const LRegionData* own = b.Get();
    b.Offset(1, 1);
    EXPECT_EQ(b.Get(), own);
    LRegion c = Of({{0, 0, 10, 10}, {20, 0, 30, 10}});
    const LRegionData* before = c.Get();
    c.Intersect(Rgn(0, 0, 5, 5));
    EXPECT_EQ(c.Get(), before) << "a rectangle result fits in the old block";
    EXPECT_EQ(c.Get()->bands, nullptr);
    EXPECT_EQ(c.GetBounds(), (CLRect{0, 0, 5, 5}));
}

TEST(LRegion, OffsetInsetAndMapStopAtTheLimits)
{
    const auto offset = [](LRegion r, int32_t h, int32_t v) { return After(r, [&](LRegion& x) { x.Offset(h, v); }); };
    const auto inset = [](LRegion r, int32_t h, int32_t v) { return After(r, [&](LRegion& x) { x.Inset(h, v); }); };
    const auto map = [](LRegion r, CLRect from, CLRect to) { return After(r, [&](LRegion& x) { x.Map(from, to); }); };
    const LRegion edge = offset(Rgn(0, 0, 10, 10), kMax - 6, 0);
    EXPECT_EQ(edge.GetBounds(), (CLRect{kMax - 6, 0, kMax, 10}));
    EXPECT_TRUE(offset(edge, 10, 0).IsEmpty());
    EXPECT_EQ(offset(Rgn(-5, -5, 5, 5), 0, kMin).GetBounds(), (CLRect{-5, kMin, 5, kMin + 5}));
    const LRegion bands = Of({{0, 0, 10, 10}, {20, 0, 30, 10}});
    EXPECT_TRUE(offset(offset(bands, 7, -3), -7, 3).Equals(bands));

    for (const auto& [h, v, result] : {std::tuple(2, 3, Rgn(2, 3, 18, 7)), {4, -1, Rgn(4, -1, 16, 11)}})
        EXPECT_TRUE(inset(Rgn(0, 0, 20, 10), h, v).Equals(result)) << h << "," << v;
    EXPECT_TRUE(inset(inset(Rgn(0, 0, 20, 10), 2, 3), -2, -3).Equals(Rgn(0, 0, 20, 10)));
    EXPECT_TRUE(inset(Of({{0, 0, 10, 10}, {12, 0, 20, 10}}), -1, 0).Equals(Rgn(-1, 0, 21, 10)));
    EXPECT_EQ(inset(Rgn(kMax - 2, 0, kMax, 5), -5, 0).GetBounds(), (CLRect{kMax - 7, 0, kMax, 5}));
    EXPECT_TRUE(inset(Rgn(0, 0, 4, 4), 2, 0).IsEmpty());

    // Map scales each rectangle, or only moves when the sizes match.
    EXPECT_TRUE(map(Of({{0, 0, 10, 10}, {50, 50, 60, 60}}), CLRect{0, 0, 100, 100}, CLRect{0, 0, 200, 50})
                    .Equals(Of({{0, 0, 20, 5}, {100, 25, 120, 30}})));
    EXPECT_TRUE(map(bands, CLRect{0, 0, 5, 5}, CLRect{100, 200, 105, 205})
                    .Equals(Of({{100, 200, 110, 210}, {120, 200, 130, 210}})));
    // A move of more than 2^31 still lands exactly.
    EXPECT_TRUE(map(Of({{kMin, 0, kMin + 10, 10}, {kMin + 20, 0, kMin + 30, 10}}), CLRect{kMin, 0, kMin + 100, 100},
                    CLRect{kMax - 100, 0, kMax, 100})
                    .Equals(Of({{kMax - 100, 0, kMax - 90, 10}, {kMax - 80, 0, kMax - 70, 10}})));
}

TEST(LRegion, BlocksSurviveAllocationFailureAndSharingOnEightThreads)
{
    const LRegion other = Of({{0, 20, 10, 30}, {20, 20, 30, 30}});
    LRegion r = Of({{0, 0, 10, 10}, {20, 0, 30, 10}});
    {
        FailingAllocations failing;
        r.Union(other);
        EXPECT_TRUE(r.IsEmpty());
        LRegion moved = other;
        moved.Offset(1, 1);
        EXPECT_TRUE(moved.IsEmpty());
    }
    EXPECT_EQ(Words(other), (std::vector<int32_t>{9, 20, 2, 0, 10, 20, 30, 30, 0}));
    r = Rgn(0, 0, 10, 10);
    r.Union(other);
    EXPECT_EQ(r.GetBounds(), (CLRect{0, 0, 30, 30}));

    const LRegion base = Of({{0, 0, 10, 10}, {20, 0, 30, 10}, {5, 20, 25, 30}});
    std::vector<std::thread> threads;
    std::vector<int> mismatches(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                LRegion copy = base;
                copy.Offset(i + 1, t);
                copy.Offset(-(i + 1), -t);
                LRegion joined = base;
                joined.Union(copy);
                if (!joined.Equals(base))
                    ++mismatches[t];
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
    EXPECT_EQ(base.Get()->RefCount(), 1);
}
