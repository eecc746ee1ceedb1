#include "analysis/render/RenderRecords.h"
#include "analysis/CFFT.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "analysis/render/RenderInput.h"
#include "foundation/records/LObject.h"

#include <cmath>

const LObject* CommonRecord(const RenderInput& input)
{
    return input.document ? input.document->GetChild(kFdrsComn) : nullptr;
}

uint8_t CommonByte(const RenderInput& input, uint8_t field)
{
    const LObject* common = CommonRecord(input);
    return common ? common->GetByte(field) : 0;
}

uint32_t FftPoints(const RenderInput& input)
{
    const LObject* common = CommonRecord(input);
    return 1u << CFFT::ClampOrder(common ? common->GetByte(kComnFtsx) : 8);
}

uint8_t WindowByte(const RenderInput& input, uint8_t field)
{
    return input.window ? input.window->GetByte(field) : 0;
}

float SampleRate(const RenderInput& input)
{
    return input.window ? input.window->GetFloat(kWindRate) : 0.0f;
}

const LObject* FreqViewRecord(const RenderInput& input)
{
    return input.window ? input.window->GetChild(kWindChvw) : nullptr;
}

float UsableFreqZoom(float fqzm)
{
    return fqzm > 0.0f && std::isfinite(fqzm) ? fqzm : 1.0f;
}

float FreqZoom(const RenderInput& input)
{
    const LObject* view = FreqViewRecord(input);
    return UsableFreqZoom(view ? view->GetFloat(kChvwFqzm) : 1.0f);
}

float FreqPosition(const RenderInput& input)
{
    const LObject* view = FreqViewRecord(input);
    const float fqps = view ? view->GetFloat(kChvwFqps) : 0.0f;
    return std::isfinite(fqps) ? fqps : 0.0f;
}

const LObject* ChannelRecord(const RenderInput& input, uint32_t c)
{
    return input.document ? input.document->GetChild(kFdrsChns, c) : nullptr;
}

uint32_t FaderCount(const RenderInput& input)
{
    return input.document ? input.document->GetArrayCount(kFdrsFdrs) : 0;
}

const LObject* FaderRecord(const RenderInput& input, uint32_t i)
{
    return input.document ? input.document->GetChild(kFdrsFdrs, i) : nullptr;
}

void ColorBytes(const LObject* colors, uint8_t field, uint8_t alpha, uint8_t out[4])
{
    const uint32_t rgb = CColorScheme::GetColor(colors, field);
    out[0] = uint8_t(rgb);
    out[1] = uint8_t(rgb >> 8);
    out[2] = uint8_t(rgb >> 16);
    out[3] = alpha;
}
