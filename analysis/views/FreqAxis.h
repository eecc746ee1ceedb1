#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <vector>

// What the frequency axis of a document shows.
struct FreqAxisInput {
    float rate = 0.0f;      // sample rate, Hz
    float fqzm = 1.0f;      // frequency zoom ('CHVW' field 0)
    float fqps = 0.0f;      // left edge of the visible range, 0 .. 1
    float step = 1.0f;      // grid step, Hz per division ('CHVW' field 2)
    bool logFrequency = false;
    uint8_t ftsx = 8;       // FFT order: 2^ftsx points
};

// One label of the axis: its texts and where it stands, u = 0 at the lowest and 1 at the
// highest frequency.
struct FreqAxisLabel {
    double u = 0.0;
    LStringRef text;
};

// The labels of the frequency axis, at most a few hundred however small the step.
std::vector<FreqAxisLabel> FreqAxisLabels(const FreqAxisInput& in);
// The x of position u in an axis of the given left edge and width.
int32_t FreqAxisX(double u, const FreqAxisInput& in, int32_t left, int32_t width);
// The scroll bar of the zoomed range: maximum trunc(z x (1 - 1/fqzm)) and value round(fqps x z)
// with z = fqzm x 10, and fqps snapped to the bar's steps.
struct FreqScroll {
    int32_t maximum = 0;
    int32_t value = 0;
    float fqps = 0.0f;
};
FreqScroll FreqScrollBar(float fqzm, float fqps);
