#pragma once
#include "analysis/CFFT.h"

#include <cstdint>

// One build of the FFT's stage loops for one vector unit.
struct CFFTKernel {
    CFFT::Path path;
    // The transform of 2^order (>= 3) values x in bit-reversed order, in place; re and im are
    // scratch of the same length; wr and wi the direction's stage tables.
    void (*transform)(SComplex32* x, float* re, float* im, uint32_t order, const float* wr, const float* wi);
};

// The portable build: plain C++ that the compiler vectorises for the baseline of the target.
extern const CFFTKernel kFFTKernelGeneric;
#if defined(__x86_64__)
// The build for 256-bit AVX2 vectors; run only where the processor has them.
extern const CFFTKernel kFFTKernelAvx2;
#endif
