#pragma once
#include "analysis/CSpectrumBuf.h"

#include <cstdint>
#include <vector>

// One analysed channel: its sample ring and FFT buffer plus the spectra of the last transform,
// N/2 bins each, normalised by 1 / (N x window gain).
class CSpectrumChan : public CSpectrumBuf {
public:
    // The value of a decibel bin that was never computed: the most negative finite f32.
    static constexpr float kNoDecibel = -3.4028235e38f;

    // The buffers of the base, then the spectra (power and magnitude zeroed, decibels at
    // kNoDecibel). All or nothing.
    [[nodiscard]] bool Alloc(uint32_t order, uint32_t ringOrder) override;

    // power[k] := |X[k]|^2 x scale^2 and dcLevel := Re(X[0]) x scale, scale = 1 / (N x gain).
    // A gain that is not positive counts as 1; the spectra never hold NaN from the scaling.
    void Power(float gain);
    // magnitude[k] := sqrt(power[k]).
    void Magnitude();
    // decibel[k] := ln(power[k]) x 4.34294 (f32 logarithm, double product); 0 power gives -inf.
    void Decibel();

    std::vector<float> power;
    std::vector<float> magnitude;
    std::vector<float> decibel;
    float dcLevel = 0.0f;
};
