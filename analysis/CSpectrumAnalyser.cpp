#include "analysis/CSpectrumAnalyser.h"

#include <algorithm>

bool CSpectrumAnalyser::Setup(uint32_t count, uint32_t order, uint32_t ringOrder)
{
    while (!channels.empty())
        channels.pop_back();
    if (!Alloc(order, ringOrder))
        return false;
    count = std::min(count, kMaxChannels);
    channels.reserve(kMaxChannels);
    for (uint32_t c = 0; c < count; ++c) {
        auto chan = std::make_unique<CSpectrumChan>();
        if (!chan->Alloc(order, ringOrder))
            return false;
        channels.push_back(std::move(chan));
    }
    return true;
}
