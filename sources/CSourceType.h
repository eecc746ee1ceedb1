#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// How one channel of a source type is shown and how its raw samples map to channel values.
struct CSourceChanInfo {
    LStringRef unit;        // display unit text
    float span = 1.0f;      // display range of the channel views
    float centre = 0.5f;
    float min = 0.0f;
    float max = 1.0f;
    float faderOffset = 0.5f; // value = (raw / 2^bits - faderOffset) * faderSpan
    float faderSpan = 1.0f;
};

// One kind of signal that a stream can announce by name.
struct CSourceType {
    const char* name = "";
    uint32_t bits = 10;     // bits of a raw sample
    float scale = 1.0f;     // display scale of the level
    CSourceChanInfo chan[4];

    // The channel value of raw sample `raw` on channel `channel`: channels 0 to 3 go through
    // their channel's mapping, higher channels get raw / 2^bits unchanged.
    float ChannelValue(uint32_t channel, uint32_t raw) const
    {
        const float v = float(raw) / float(uint64_t{1} << bits);
        if (channel >= 4)
            return v;
        return (v - chan[channel].faderOffset) * chan[channel].faderSpan;
    }
};

// The row whose name equals `name` (byte-wise, case-sensitive; null counts as ""), or row 0
// when none does. Rows live for the whole process and never change.
const CSourceType* FindSourceType(const char* name);

// The table itself: row `index` (0 to SourceTypeCount() - 1).
uint32_t SourceTypeCount();
const CSourceType* SourceTypeRow(uint32_t index);
