#pragma once
#include "foundation/core/LArray.h"

#include <cstdint>

// One frequency band in Hz, low inclusive.
struct SBandRange {
    float low;
    float high;
};

// The frequency bands of a document window: fixed-width bands from 0 Hz while no explicit bands
// are set, else exactly the explicit bands, kept sorted by low and then by high frequency.
class CBandList {
public:
    // More explicit bands than this are not kept: no display or export needs them, and a
    // runaway band file must not cost unbounded time or memory.
    static constexpr uint32_t kMaxBands = 16384;

    CBandList();

    // Band i: the explicit band i (false and {0, 0} past the end), or the fixed-width band
    // [i x width, i x width + width), which always exists (callers stop at the Nyquist frequency).
    bool Band(uint32_t i, SBandRange& out) const;
    // A positive, finite width replaces the width and drops the explicit bands; any other is ignored.
    void SetWidth(float w);
    // Drops the explicit bands; the width stays.
    void Clear();
    // Inserts before the first band with a greater low, or an equal low and a greater high, so
    // that equal bands keep the order they came in. False when the list is full or out of memory.
    [[nodiscard]] bool Insert(SBandRange band);
    // Number of explicit bands (0 means fixed-width bands).
    uint32_t Count() const { return bands.Count(); }

    float width = 10.0f;
    LArray bands;
};
