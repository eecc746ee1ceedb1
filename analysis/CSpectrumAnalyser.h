#pragma once
#include "analysis/CEventLineRing.h"
#include "analysis/CSpectrumChan.h"

#include <cstdint>
#include <memory>
#include <vector>

// The analysis state of one document window: the event-line ring plus one channel per
// analysed signal channel, all with the same FFT size and ring length.
class CSpectrumAnalyser : public CEventLineRing {
public:
    // More channels than this are never set up: sources deliver at most four values a frame,
    // and a damaged document must not make the window allocate without bound.
    static constexpr uint32_t kMaxChannels = 16;

    // Discards every channel and event line, then makes min(count, kMaxChannels) channels of
    // 2^order points. False on the first failure; the channels made so far stay.
    [[nodiscard]] bool Setup(uint32_t count, uint32_t order, uint32_t ringOrder);

    uint32_t ChannelCount() const { return static_cast<uint32_t>(channels.size()); }
    CSpectrumChan* Channel(uint32_t i) const { return i < channels.size() ? channels[i].get() : nullptr; }

    std::vector<std::unique_ptr<CSpectrumChan>> channels;
};
