#pragma once
#include "analysis/CFFT.h"

#include <cstdint>
#include <vector>

class CWindowFunc;

// The FFT plan of a document window together with its window table and the table's gain.
class CWindowedFFT {
public:
    // Builds plan and table for 2^order points. All or nothing: on failure the previous plan,
    // table and gain stay. A gain that is not positive (a Hanning window of one point is all
    // zero) counts as 1 so that spectra are never divided by zero.
    [[nodiscard]] bool Setup(uint32_t order, const CWindowFunc& window);
    // Setup from a document's stored settings: the FFT order kept within 1 .. CFFT::kMaxOrder
    // (as the analyser keeps it, so that plan and channels agree) and the window by its kind.
    [[nodiscard]] bool SetupFromSettings(uint8_t order, uint8_t windowKind);

    std::vector<float> windowTable;
    CFFT fft;
    float windowGain = 1.0f;
};
