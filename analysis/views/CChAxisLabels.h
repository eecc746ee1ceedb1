#pragma once
#include "analysis/views/CReadoutScale.h"
#include "foundation/core/LStringRef.h"

// The axis texts of one channel row: level texts at the top, middle and bottom of the
// spectrum and the waveform views, their grid steps, and how their cursor fields read.
struct CChAxisLabels {
    struct Axis {
        LStringRef top, middle, bottom;
        LStringRef step;      // the grid step ("/div" or "dB/div")
        CReadoutScale readout;
        LStringRef unit;      // unit prefix + unit of the cursor fields
    };
    Axis spectrum;
    Axis waveform;
};
