#include "foundation/geometry/CLRect.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

CLRect R(int32_t l, int32_t t, int32_t r, int32_t b) { return CLRect{l, t, r, b}; }

// The rectangle after one operation, so each case reads as one line.
template <typename Op>
CLRect After(CLRect r, Op op)
{
    op(r);
    return r;
}
CLRect Intersected(CLRect r, CLRect o) { return After(r, [&](CLRect& x) { x.Intersect(o); }); }
CLRect United(CLRect r, CLRect o) { return After(r, [&](CLRect& x) { x.Union(o); }); }
CLRect Offset(CLRect r, int32_t h, int32_t v) { return After(r, [&](CLRect& x) { x.Offset(h, v); }); }
CLRect Inset(CLRect r, int32_t h, int32_t v) { return After(r, [&](CLRect& x) { x.Inset(h, v); }); }
CLRect Centered(CLRect r, CLRect in) { return After(r, [&](CLRect& x) { x.CenterIn(in); }); }
CLRect Fitted(CLRect r, CLRect in) { return After(r, [&](CLRect& x) { x.FitInto(in); }); }
CLRect Mapped(CLRect r, CLRect from, CLRect to) { return After(r, [&](CLRect& x) { x.Map(from, to); }); }
CLRect NonEmpty(CLRect r) { return After(r, [](CLRect& x) { x.MakeNonEmpty(); }); }

} // namespace

TEST(CLRect, ContainsIsHalfOpenAndIntersectsNeedsSharedPixels)
{
    const CLRect r = R(10, 20, 30, 40);
    for (const auto& [point, inside] : {std::pair(CLPoint{10, 20}, true), {CLPoint{29, 39}, true}, {CLPoint{30, 20}, false},
                                        {CLPoint{10, 40}, false}, {CLPoint{9, 20}, false}})
        EXPECT_EQ(r.Contains(point), inside) << point.x << "," << point.y;
    EXPECT_FALSE(R(5, 5, 5, 9).Contains({5, 5}));

    EXPECT_TRUE(CLRect::Intersects(R(0, 0, 10, 10), R(9, 9, 20, 20)));
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(10, 0, 20, 10)));
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(0, 10, 10, 20)));
    // An empty rectangle inside a full one still meets nothing.
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(5, 5, 5, 8)));
    EXPECT_FALSE(CLRect::Intersects(R(5, 5, 4, 8), R(0, 0, 10, 10)));
}

TEST(CLRect, IntersectOfTouchingIsAllZeroAndUnionSkipsEmptyOperands)
{
    EXPECT_EQ(Intersected(R(0, 0, 10, 10), R(10, 0, 20, 10)), CLRect{});
    EXPECT_EQ(Intersected(R(-5, -5, 10, 10), R(0, 2, 20, 4)), R(0, 2, 10, 4));
    EXPECT_EQ(United(R(50, 50, 40, 60), R(1, 2, 3, 4)), R(1, 2, 3, 4));
    EXPECT_EQ(United(R(1, 2, 3, 4), R(-100, -100, -200, 0)), R(1, 2, 3, 4));
    EXPECT_EQ(United(R(1, 2, 3, 4), R(10, -3, 11, 0)), R(1, -3, 11, 4));
}

TEST(CLRect, SizesAndMovesWrapOnlyWhereMeantAndNonEmptyGivesOnePixelAtLeast)
{
    EXPECT_TRUE(CLRect::SameSize(R(0, 0, 5, 7), R(100, -20, 105, -13)));
    // Widths beyond the 32-bit range are exact, not wrapped.
    EXPECT_FALSE(CLRect::SameSize(R(kMin, 0, kMax, 1), R(0, 0, -1, 1)));
    EXPECT_EQ(Offset(R(kMax - 1, 0, kMax, 10), 2, -3), R(kMin, -3, kMin + 1, 7));
    EXPECT_EQ(Inset(R(10, 10, 20, 20), -5, 3), R(5, 13, 25, 17));
    const CLRect w = Inset(R(0, 0, 10, 10), kMin, 0);
    EXPECT_EQ(std::pair(w.left, w.right), std::pair(kMin, kMin + 10));

    EXPECT_EQ(NonEmpty(R(5, 9, 2, 9)), R(5, 9, 6, 10));
    EXPECT_EQ(NonEmpty(R(0, 0, 4, 4)), R(0, 0, 4, 4));
    const CLRect edge = NonEmpty(R(kMax, kMax, kMax, 0));
    EXPECT_EQ(edge, R(kMax - 1, kMax - 1, kMax, kMax));
    EXPECT_FALSE(edge.IsEmpty());
}

TEST(CLRect, CenterFitAndMapStayDefinedAtTheLimits)
{
    // Centring truncates the half difference.
    EXPECT_EQ(Centered(R(0, 0, 3, 3), R(0, 0, 6, 6)), R(1, 1, 4, 4));
    EXPECT_EQ(Centered(R(0, 0, 3, 3), R(-6, -6, 0, 0)), R(-4, -4, -1, -1));
    EXPECT_EQ(Centered(R(kMin, kMin, kMin + 2, kMin + 2), R(kMax - 2, kMax - 2, kMax, kMax)),
              R(kMax - 2, kMax - 2, kMax, kMax));

    // Fitting keeps the aspect and centres; a tall one: ceil(3 * 60 / 33) = 6 wide, centred at 27.
    EXPECT_EQ(Fitted(R(0, 0, 100, 50), R(0, 0, 60, 60)), R(0, 15, 60, 45));
    EXPECT_EQ(Fitted(R(7, 7, 10, 40), R(0, 0, 60, 60)), R(27, 0, 33, 60));
    EXPECT_EQ(Fitted(R(kMin, kMin, kMax, kMax), R(0, 0, 100, 100)), R(0, 0, 100, 100));
    // The scaled size is applied from the old corner and held at the limit, then centred.
    EXPECT_EQ(Fitted(R(0, 0, 1, 1), R(kMin, kMin, kMax, kMax)),
              R(kMin / 2, kMin / 2, kMax + kMin / 2, kMax + kMin / 2));
    EXPECT_EQ(Fitted(R(0, 0, 10, 0), R(0, 0, 40, 40)), R(0, 20, 40, 20));

    // Mapping rounds half up and handles zero sizes.
    EXPECT_EQ(Mapped(R(51, 0, 100, 100), R(0, 0, 100, 100), R(0, 0, 50, 50)), R(26, 0, 50, 50));
    EXPECT_EQ(Mapped(R(5, 5, 9, 9), R(3, 4, 3, 4), R(10, 20, 30, 40)), R(10, 20, 10, 20));
    const CLRect whole = R(kMin, kMin, kMax, kMax);
    EXPECT_EQ(Mapped(whole, whole, whole), whole);
    EXPECT_EQ(Mapped(R(0, 0, 1000, 1000), R(0, 0, 1, 1), R(0, 0, kMax, kMax)), R(0, 0, kMax, kMax));
}

TEST(CLRect, FloatRectRoundTripGrowsOutwardAndClamps)
{
    const plat::Rect f = R(-3, 4, 10, 24).ToCGRect();
    EXPECT_EQ(std::tuple(f.x, f.y, f.width, f.height), std::tuple(-3.0, 4.0, 13.0, 20.0));
    EXPECT_EQ(CLRect::FromCGRect(f), R(-3, 4, 10, 24));
    // Fractional edges grow outward to whole pixels.
    EXPECT_EQ(CLRect::FromCGRect({0.5, -0.5, 1.0, 1.0}), R(0, -1, 2, 1));
    EXPECT_EQ(CLRect::FromCGRect({10.0, 10.0, -4.0, 2.0}), R(6, 10, 10, 12));
    EXPECT_EQ(CLRect::FromCGRect({100.0, 0.0, 3e9, 10.0}), R(100, 0, kMax, 10));
    EXPECT_EQ(CLRect::FromCGRect({-3e9, -1e300, 1.0, 1e300}), R(kMin, kMin, kMin, 0));
    EXPECT_EQ(CLRect::FromCGRect({std::nan(""), 0.0, 5.0, 5.0}).left, 0);
}
