#include "foundation/CLRect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

CLRect R(int32_t l, int32_t t, int32_t r, int32_t b) { return CLRect{l, t, r, b}; }

} // namespace

TEST(CLRect, ContainsIsHalfOpen)
{
    const CLRect r = R(10, 20, 30, 40);
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({29, 39}));
    EXPECT_FALSE(r.Contains({30, 20}));
    EXPECT_FALSE(r.Contains({10, 40}));
    EXPECT_FALSE(r.Contains({9, 20}));
    EXPECT_FALSE(R(5, 5, 5, 9).Contains({5, 5}));
}

TEST(CLRect, IntersectsNeedsSharedPixels)
{
    EXPECT_TRUE(CLRect::Intersects(R(0, 0, 10, 10), R(9, 9, 20, 20)));
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(10, 0, 20, 10)));
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(0, 10, 10, 20)));
    // An empty rectangle inside a full one still meets nothing.
    EXPECT_FALSE(CLRect::Intersects(R(0, 0, 10, 10), R(5, 5, 5, 8)));
    EXPECT_FALSE(CLRect::Intersects(R(5, 5, 4, 8), R(0, 0, 10, 10)));
}

TEST(CLRect, IntersectOfTouchingRectanglesIsAllZero)
{
    CLRect a = R(0, 0, 10, 10);
    a.Intersect(R(10, 0, 20, 10));
    EXPECT_EQ(a, CLRect{});
    CLRect b = R(-5, -5, 10, 10);
    b.Intersect(R(0, 2, 20, 4));
    EXPECT_EQ(b, R(0, 2, 10, 4));
}

TEST(CLRect, UnionSkipsEmptyOperands)
{
    CLRect empty = R(50, 50, 40, 60);
    empty.Union(R(1, 2, 3, 4));
    EXPECT_EQ(empty, R(1, 2, 3, 4));
    CLRect full = R(1, 2, 3, 4);
    full.Union(R(-100, -100, -200, 0));
    EXPECT_EQ(full, R(1, 2, 3, 4));
    full.Union(R(10, -3, 11, 0));
    EXPECT_EQ(full, R(1, -3, 11, 4));
}

TEST(CLRect, SizesAndMovesWrapOnlyWhereMeant)
{
    EXPECT_TRUE(CLRect::SameSize(R(0, 0, 5, 7), R(100, -20, 105, -13)));
    // Widths beyond the 32-bit range are exact, not wrapped.
    EXPECT_FALSE(CLRect::SameSize(R(kMin, 0, kMax, 1), R(0, 0, -1, 1)));
    CLRect r = R(kMax - 1, 0, kMax, 10);
    r.Offset(2, -3);
    EXPECT_EQ(r, R(kMin, -3, kMin + 1, 7));
    CLRect g = R(10, 10, 20, 20);
    g.Inset(-5, 3);
    EXPECT_EQ(g, R(5, 13, 25, 17));
    CLRect w = R(0, 0, 10, 10);
    w.Inset(kMin, 0);
    EXPECT_EQ(w.left, kMin);
    EXPECT_EQ(w.right, kMin + 10);
}

TEST(CLRect, CenterInTruncatesTheHalfDifference)
{
    CLRect r = R(0, 0, 3, 3);
    r.CenterIn(R(0, 0, 6, 6));
    EXPECT_EQ(r, R(1, 1, 4, 4));
    CLRect n = R(0, 0, 3, 3);
    n.CenterIn(R(-6, -6, 0, 0));
    EXPECT_EQ(n, R(-4, -4, -1, -1));
    CLRect far = R(kMin, kMin, kMin + 2, kMin + 2);
    far.CenterIn(R(kMax - 2, kMax - 2, kMax, kMax));
    EXPECT_EQ(far, R(kMax - 2, kMax - 2, kMax, kMax));
}

TEST(CLRect, FitIntoKeepsAspectAndCentres)
{
    CLRect wide = R(0, 0, 100, 50);
    wide.FitInto(R(0, 0, 60, 60));
    EXPECT_EQ(wide, R(0, 15, 60, 45));
    CLRect tall = R(7, 7, 10, 40);
    tall.FitInto(R(0, 0, 60, 60));
    // Width at full height: ceil(3 * 60 / 33) = 6, centred at 27.
    EXPECT_EQ(tall, R(27, 0, 33, 60));
}

TEST(CLRect, FitIntoHugeAndDegenerateSizesStayDefined)
{
    CLRect big = R(kMin, kMin, kMax, kMax);
    big.FitInto(R(0, 0, 100, 100));
    EXPECT_EQ(big, R(0, 0, 100, 100));
    CLRect tiny = R(0, 0, 1, 1);
    tiny.FitInto(R(kMin, kMin, kMax, kMax));
    // The scaled size is applied from the old corner and held at the limit, then centred.
    EXPECT_EQ(tiny, R(kMin / 2, kMin / 2, kMax + kMin / 2, kMax + kMin / 2));
    CLRect flat = R(0, 0, 10, 0);
    flat.FitInto(R(0, 0, 40, 40));
    EXPECT_EQ(flat, R(0, 20, 40, 20));
}

TEST(CLRect, MapRoundsHalfUpAndHandlesZeroSizes)
{
    CLRect r = R(51, 0, 100, 100);
    r.Map(R(0, 0, 100, 100), R(0, 0, 50, 50));
    EXPECT_EQ(r, R(26, 0, 50, 50));
    CLRect s = R(5, 5, 9, 9);
    s.Map(R(3, 4, 3, 4), R(10, 20, 30, 40));
    EXPECT_EQ(s, R(10, 20, 10, 20));
    CLRect whole = R(kMin, kMin, kMax, kMax);
    whole.Map(whole, whole);
    EXPECT_EQ(whole, R(kMin, kMin, kMax, kMax));
    CLRect out = R(0, 0, 1000, 1000);
    out.Map(R(0, 0, 1, 1), R(0, 0, kMax, kMax));
    EXPECT_EQ(out, R(0, 0, kMax, kMax));
}

TEST(CLRect, MakeNonEmptyGivesOnePixelAtLeast)
{
    CLRect r = R(5, 9, 2, 9);
    r.MakeNonEmpty();
    EXPECT_EQ(r, R(5, 9, 6, 10));
    CLRect kept = R(0, 0, 4, 4);
    kept.MakeNonEmpty();
    EXPECT_EQ(kept, R(0, 0, 4, 4));
    CLRect edge = R(kMax, kMax, kMax, 0);
    edge.MakeNonEmpty();
    EXPECT_EQ(edge, R(kMax - 1, kMax - 1, kMax, kMax));
    EXPECT_FALSE(edge.IsEmpty());
}

TEST(CLRect, FloatRectRoundTrip)
{
    const plat::Rect f = R(-3, 4, 10, 24).ToCGRect();
    EXPECT_EQ(f.x, -3.0);
    EXPECT_EQ(f.y, 4.0);
    EXPECT_EQ(f.width, 13.0);
    EXPECT_EQ(f.height, 20.0);
    EXPECT_EQ(CLRect::FromCGRect(f), R(-3, 4, 10, 24));
    // Fractional edges grow outward to whole pixels.
    EXPECT_EQ(CLRect::FromCGRect({0.5, -0.5, 1.0, 1.0}), R(0, -1, 2, 1));
    EXPECT_EQ(CLRect::FromCGRect({10.0, 10.0, -4.0, 2.0}), R(6, 10, 10, 12));
}

TEST(CLRect, FromFloatRectClampsToTheLimits)
{
    EXPECT_EQ(CLRect::FromCGRect({100.0, 0.0, 3e9, 10.0}), R(100, 0, kMax, 10));
    EXPECT_EQ(CLRect::FromCGRect({-3e9, -1e300, 1.0, 1e300}), R(kMin, kMin, kMin, 0));
    EXPECT_EQ(CLRect::FromCGRect({std::nan(""), 0.0, 5.0, 5.0}).left, 0);
}
