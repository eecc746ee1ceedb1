#pragma once
// What every build of the FFT's stage loops shares, compiled into each kernel file with that
// file's code-generation options. Everything here has internal linkage (an unnamed namespace)
// on purpose, so that the copies built for different vector units never merge at link time.
//
// Every butterfly is a, b := a + w b, a - w b with the complex product done in f32 exactly as
// written (no fused multiply-add: the kernel files are built with -ffp-contract=off); only the
// order of the butterflies and how many stages share a pass over memory differ from the plain
// stage-by-stage transform, so the values are the same on every unit.
#include "analysis/CFFT.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// a, b := a + w b, a - w b.
inline void Butterfly(SComplex32& a, SComplex32& b, SComplex32 w)
{
    const float tr = w.re * b.re - w.im * b.im;
    const float ti = w.re * b.im + w.im * b.re;
    const float ar = a.re;
    const float ai = a.im;
    b.re = ar - tr;
    b.im = ai - ti;
    a.re = ar + tr;
    a.im = ai + ti;
}

// Stages 0 and 1 together over blocks of four (both stay inside one block), writing the
// results split into real and imaginary parts.
inline void FirstTwoStagesToSplit(const SComplex32* in, float* re, float* im, size_t n, const float* wr, const float* wi)
{
    const SComplex32 w0{wr[0], wi[0]};
    const SComplex32 w10{wr[1], wi[1]};
    const SComplex32 w11{wr[2], wi[2]};
    for (size_t b = 0; b < n; b += 4) {
        SComplex32 x0 = in[b];
        SComplex32 x1 = in[b + 1];
        SComplex32 x2 = in[b + 2];
        SComplex32 x3 = in[b + 3];
        Butterfly(x0, x1, w0);
        Butterfly(x2, x3, w0);
        Butterfly(x0, x2, w10);
        Butterfly(x1, x3, w11);
        re[b] = x0.re;
        re[b + 1] = x1.re;
        re[b + 2] = x2.re;
        re[b + 3] = x3.re;
        im[b] = x0.im;
        im[b + 1] = x1.im;
        im[b + 2] = x2.im;
        im[b + 3] = x3.im;
    }
}

// 2^11 values (16 KiB of split parts) fit the first-level cache with room to spare.
constexpr uint32_t kCacheBlockOrder = 11;

} // namespace
