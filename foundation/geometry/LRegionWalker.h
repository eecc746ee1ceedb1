#pragma once
#include "foundation/geometry/CLRect.h"

#include <cstdint>

// The set operations of regions on band lists.
//
// A band list is one malloc block of i32 words: word 0 is the number of words including itself,
// then the bands in increasing y, each {y; n; n pairs {x0; x1}}. A band covers the rows from its
// y up to the next band's y; its spans cover [x0, x1) in increasing x, disjoint and not touching.
// The last band has n = 0 and its y is the bottom; the first band has n > 0 and no two
// consecutive bands have the same spans. Every list the walker writes is in this form, so equal
// areas give equal words.
enum class LRegionOp { Intersect, Union, Xor, Subtract };

// What an operation produced: empty (words null, bounds all zero), one plain rectangle (words
// null, bounds the rectangle) or a band list that the caller owns and frees with free().
struct LBandResult {
    int32_t* words = nullptr;
    CLRect bounds;
};

class LRegionWalker {
public:
    // Words of the band list of a single non-empty rectangle.
    static constexpr int kRectWords = 7;
    static void RectWords(const CLRect& rect, int32_t out[kRectWords]);

    // a op b by band merging. An allocation failure gives the empty result.
    static LBandResult Combine(const int32_t* a, const int32_t* b, LRegionOp op);
    // The band list moved by (dx, dy), edges held at the 32-bit limits; spans and bands that
    // collapse at a limit are dropped.
    static LBandResult Offset(const int32_t* bands, int32_t dx, int32_t dy);
};
