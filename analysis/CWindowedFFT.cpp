#include "analysis/CWindowedFFT.h"
#include "analysis/AllocFilled.h"
#include "analysis/CWindowFunc.h"

bool CWindowedFFT::Setup(uint32_t order, const CWindowFunc& window)
{
    CFFT plan;
    if (!plan.Init(order))
        return false;
    std::vector<float> table;
    if (!AllocFilled(table, plan.size, 0.0f))
        return false;
    float gain = window.Fill(plan.size, table.data());
    if (!(gain > 0.0f))
        gain = 1.0f;
    fft = std::move(plan);
    windowTable.swap(table);
    windowGain = gain;
    return true;
}

bool CWindowedFFT::SetupFromSettings(uint8_t order, uint8_t windowKind)
{
    const auto window = CWindowFunc::Make(windowKind);
    return Setup(CFFT::ClampOrder(order), *window);
}
