#include "foundation/geometry/LRegionWalker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

using Words = std::vector<int32_t>;

// A region as plain words: a plain rectangle as its 7-word list, the empty region as nothing.
Words ToWords(const LBandResult& r)
{
    if (r.words) {
        Words w(r.words, r.words + r.words[0]);
        std::free(r.words);
        return w;
    }
    if (r.bounds.IsEmpty())
        return {};
    Words w(LRegionWalker::kRectWords);
    LRegionWalker::RectWords(r.bounds, w.data());
    return w;
}

Words RectList(int32_t l, int32_t t, int32_t r, int32_t b)
{
    Words w(LRegionWalker::kRectWords);
    LRegionWalker::RectWords(CLRect{l, t, r, b}, w.data());
    return w;
}

const Words kEmptyList = {1}; // a band list with no bands reads as the empty region

Words Combine(const Words& a, const Words& b, LRegionOp op)
{
    return ToWords(LRegionWalker::Combine(a.empty() ? kEmptyList.data() : a.data(),
                                          b.empty() ? kEmptyList.data() : b.data(), op));
}

// Every pixel of a band list, for comparing against a brute-force model.
std::set<std::pair<int, int>> Pixels(const Words& w)
{
    std::set<std::pair<int, int>> pixels;
    size_t i = 1;
    while (i < w.size()) {
        const int32_t y = w[i], n = w[i + 1];
        const size_t next = i + 2 + 2 * size_t(n);
        if (next >= w.size())
            break;
        for (int32_t row = y; row < w[next]; ++row)
            for (int32_t k = 0; k < n; ++k)
                for (int32_t x = w[i + 2 + 2 * k]; x < w[i + 3 + 2 * k]; ++x)
                    pixels.insert({x, row});
        i = next;
    }
    return pixels;
}

// The shape rules that make equal areas give equal words.
void ExpectCanonical(const Words& w)
{
    if (w.empty())
        return;
    ASSERT_EQ(size_t(w[0]), w.size());
    ASSERT_GT(w[2], 0) << "first band has spans";
    size_t i = 1, prev = 0;
    while (true) {
        const int32_t n = w[i + 1];
        for (int32_t k = 0; k < n; ++k) {
            EXPECT_LT(w[i + 2 + 2 * k], w[i + 3 + 2 * k]);
            if (k > 0) {
                EXPECT_LT(w[i + 1 + 2 * k], w[i + 2 + 2 * k]) << "spans apart";
            }
        }
        if (prev) {
            EXPECT_LT(w[prev], w[i]);
            const Words a(w.begin() + prev + 1, w.begin() + prev + 2 + 2 * w[prev + 1]);
            const Words b(w.begin() + i + 1, w.begin() + i + 2 + 2 * n);
            EXPECT_NE(a, b) << "no repeated band";
        }
        prev = i;
        i += 2 + 2 * size_t(n);
        if (i >= w.size()) {
            EXPECT_EQ(n, 0) << "last band ends the region";
            break;
        }
    }
    EXPECT_EQ(i, w.size());
}

} // namespace

TEST(LRegionWalker, SetOperationsGiveExactBands)
{
    EXPECT_EQ(Combine(RectList(0, 0, 10, 10), RectList(20, 0, 30, 10), LRegionOp::Union),
              (Words{9, 0, 2, 0, 10, 20, 30, 10, 0}));
    const Words a = RectList(0, 0, 10, 10), b = RectList(5, 5, 15, 15);
    EXPECT_EQ(Combine(a, b, LRegionOp::Intersect), RectList(5, 5, 10, 10));
    EXPECT_EQ(Combine(a, b, LRegionOp::Subtract), (Words{11, 0, 1, 0, 10, 5, 1, 0, 5, 10, 0}));
    EXPECT_EQ(Combine(a, b, LRegionOp::Xor),
              (Words{17, 0, 1, 0, 10, 5, 2, 0, 5, 10, 15, 10, 1, 5, 15, 15, 0}));
    EXPECT_EQ(Combine(a, RectList(20, 20, 30, 30), LRegionOp::Intersect), Words{});
    EXPECT_EQ(Combine(a, a, LRegionOp::Xor), Words{});
    EXPECT_EQ(Combine(a, RectList(-1, -1, 11, 11), LRegionOp::Subtract), Words{});
    // A hole in the middle keeps the gap row band.
    EXPECT_EQ(Combine(RectList(0, 0, 9, 9), RectList(3, 3, 6, 6), LRegionOp::Subtract),
              (Words{17, 0, 1, 0, 9, 3, 2, 0, 3, 6, 9, 6, 1, 0, 9, 9, 0}));
}

TEST(LRegionWalker, EqualAreasHaveEqualWordsWhateverTheOrder)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 20);
    for (int round = 0; round < 40; ++round) {
        std::vector<Words> rects;
        for (int k = 0; k < 6; ++k) {
            const int l = coord(rng), t = coord(rng);
            rects.push_back(RectList(l, t, l + 1 + coord(rng) / 2, t + 1 + coord(rng) / 2));
        }
        Words forward, backward;
        for (size_t k = 0; k < rects.size(); ++k) {
            forward = Combine(forward, rects[k], LRegionOp::Union);
            backward = Combine(backward, rects[rects.size() - 1 - k], LRegionOp::Union);
        }
        ExpectCanonical(forward);
        EXPECT_EQ(forward, backward);
    }
}

TEST(LRegionWalker, OperationsMatchAPixelModel)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-8, 8);
    for (int round = 0; round < 200; ++round) {
        Words a, b;
        for (int k = 0; k < 3; ++k) {
            const int l = coord(rng), t = coord(rng);
            a = Combine(a, RectList(l, t, l + 1 + (coord(rng) & 7), t + 1 + (coord(rng) & 7)), LRegionOp::Union);
            const int m = coord(rng), u = coord(rng);
            b = Combine(b, RectList(m, u, m + 1 + (coord(rng) & 7), u + 1 + (coord(rng) & 7)), LRegionOp::Union);
        }
        const auto pa = Pixels(a), pb = Pixels(b);
        for (LRegionOp op : {LRegionOp::Intersect, LRegionOp::Union, LRegionOp::Xor, LRegionOp::Subtract}) {
            const Words r = Combine(a, b, op);
            ExpectCanonical(r);
            std::set<std::pair<int, int>> expect;
            for (const auto& p : pa)
                if (op == LRegionOp::Union || ((op == LRegionOp::Intersect) == (pb.count(p) == 1)))
                    expect.insert(p);
            if (op == LRegionOp::Union || op == LRegionOp::Xor)
                for (const auto& p : pb)
                    if (op == LRegionOp::Union || !pa.count(p))
                        expect.insert(p);
            EXPECT_EQ(Pixels(r), expect) << "op " << int(op) << " round " << round;
        }
    }
}

TEST(LRegionWalker, OffsetHoldsBandsAtTheLimits)
{
    const auto offset = [](const Words& w, int32_t h, int32_t v) {
        return ToWords(LRegionWalker::Offset(w.data(), h, v));
    };
    const Words two = {9, 0, 2, 0, 10, 20, 30, 10, 0};
    EXPECT_EQ(offset(two, 5, -3), (Words{9, -3, 2, 5, 15, 25, 35, 7, 0}));
    // Moved right to the limit: the far span collapses, the near one is cut at the limit.
    EXPECT_EQ(offset(two, kMax - 25, 0), (Words{9, 0, 2, kMax - 25, kMax - 15, kMax - 5, kMax, 10, 0}));
    EXPECT_EQ(offset(two, kMax - 15, 0), RectList(kMax - 15, 0, kMax - 5, 10));
    EXPECT_EQ(offset(two, kMax, 0), Words{});
    // Moved down: the bottom stops at the limit.
    EXPECT_EQ(offset(two, 0, kMax - 4), (Words{9, kMax - 4, 2, 0, 10, 20, 30, kMax, 0}));
    EXPECT_EQ(offset(two, 0, kMax), Words{});
    // Moved up: the rows above the limit go, the rest keeps its spans.
    EXPECT_EQ(offset({11, 0, 1, 0, 5, 4, 1, 0, 9, 8, 0}, 0, kMin),
              (Words{11, kMin, 1, 0, 5, kMin + 4, 1, 0, 9, kMin + 8, 0}));
    EXPECT_EQ(offset({11, -10, 1, 0, 5, -6, 1, 0, 9, 2, 0}, 0, kMin), RectList(0, kMin, 9, kMin + 2));
    EXPECT_EQ(offset({9, 0, 2, -30, -20, -10, 0, 10, 0}, kMin + 15, 0), RectList(kMin + 5, 0, kMin + 15, 10));
}
