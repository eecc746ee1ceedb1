#pragma once
#include "analysis/CFFT.h"

#include <cstdint>
#include <span>
#include <vector>

// The sample ring of one channel and the FFT buffer loaded from it. The ring holds the newest
// samples (a power of two of them, at least N); each analysis loads the newest N, windowed,
// in bit-reversed order, ready for an in-place transform.
class CSpectrumBuf {
public:
    // The largest ring order accepted (16M samples per channel).
    static constexpr uint32_t kMaxRingOrder = 24;

    virtual ~CSpectrumBuf() = default;

    // Sizes the ring to 2^max(order, ringOrder) and the FFT buffers to 2^order, all zeroed.
    // All or nothing: false (nothing changed) when an order is out of range or memory is short.
    [[nodiscard]] virtual bool Alloc(uint32_t order, uint32_t ringOrder);

    // Sets every sample of the ring and of its snapshot.
    void Fill(float value);

    // Stores one sample at the write position and advances it around the ring.
    void Push(float value)
    {
        if (ring.empty())
            return;
        ring[writeIndex] = value;
        writeIndex = (writeIndex + 1) & mask;
    }

    // Loads the newest N samples, times the window table when one is given (an empty span means
    // none), into `fftBuffer` in the plan's bit-reversed order, keeps them raw in `lastFrame` and
    // copies the ring into `snapshot`. Returns false without touching anything when the plan or
    // the table does not have this buffer's N points.
    bool LoadFFTInput(std::span<const float> window, const CFFT& plan);

    // Number of FFT points (0 before the first Alloc).
    uint32_t FFTSize() const { return static_cast<uint32_t>(fftBuffer.size()); }

    uint32_t mask = 0;
    uint32_t writeIndex = 0;
    uint32_t loadIndex = 0;
    std::vector<float> ring;
    std::vector<float> snapshot;
    std::vector<float> lastFrame;
    std::vector<SComplex32> fftBuffer;
};
