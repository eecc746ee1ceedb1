#pragma once
#include <cstdint>
#include <memory>

// A window function applied to every FFT frame. The three kinds live together: they only
// make sense as a family chosen by the document's window setting.
class CWindowFunc {
public:
    virtual ~CWindowFunc() = default;

    // Writes the n values of the window into out and returns their mean (the coherent gain).
    // n = 0 writes nothing and returns NaN, the mean of nothing.
    virtual float Fill(uint32_t n, float* out) const = 0;

    // The window for a stored window setting: 1 Hanning, 2 Hamming, anything else rectangular.
    static std::unique_ptr<CWindowFunc> Make(uint8_t kind);
};

class CRectWindow final : public CWindowFunc {
public:
    float Fill(uint32_t n, float* out) const override;
};

class CHanningWindow final : public CWindowFunc {
public:
    float Fill(uint32_t n, float* out) const override;
};

class CHammingWindow final : public CWindowFunc {
public:
    float Fill(uint32_t n, float* out) const override;
};
