#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CUndoStrm.h"

#include <algorithm>
#include <cmath>

namespace {

enum class PairEdit : uint32_t { LowFreq = 0, HighFreq = 1, LowAmp = 2, HighAmp = 3 };

LObjectPtr MakeDocument()
{
    CParamSchema::InitParamSchema();
    return LObject::Create(CSnxSchema::DocClass());
}

// Sets one end of a (low, high) pair, first moving the other end so that low <= high holds.
// The two writes are one undo step; the next edit of the same fader and the same end folds
// into that step (a container keyed by fader and edit).
void SetPairEnd(LObject* fader, LHandler* context, PairEdit edit, uint8_t lowField, uint8_t highField,
                float value)
{
    if (!fader || !std::isfinite(value))
        return;
    const bool settingLow = edit == PairEdit::LowFreq || edit == PairEdit::LowAmp;
    const uint64_t key = reinterpret_cast<uintptr_t>(fader) + static_cast<uint32_t>(edit);
    CUndoStrm step(context, key, CUndoStrm::ReplayPair, LStringRef(), CUndoStrm::Kind::Container,
                   CUndoStrm::Mode::Merge);
    if (settingLow) {
        LObject::SetFloat(fader, context, highField, std::max(fader->GetFloat(highField), value), LObject::Merge::No);
        LObject::SetFloat(fader, context, lowField, value, LObject::Merge::No);
    } else {
        LObject::SetFloat(fader, context, lowField, std::min(fader->GetFloat(lowField), value), LObject::Merge::No);
        LObject::SetFloat(fader, context, highField, value, LObject::Merge::No);
    }
}

} // namespace

CFaderSetRecord::CFaderSetRecord() : LObjRoot(MakeDocument()) {}

LObject* CFaderSetRecord::Fader(int32_t index) const
{
    if (!Root() || index < 0)
        return nullptr;
    return Root()->GetChild(kFdrsFdrs, static_cast<uint32_t>(index));
}

int32_t CFaderSetRecord::FaderCount() const
{
    return Root() ? static_cast<int32_t>(Root()->GetArrayCount(kFdrsFdrs)) : 0;
}

LObject* CFaderSetRecord::Common() const
{
    return Root() ? Root()->GetChild(kFdrsComn) : nullptr;
}

void CFaderSetRecord::SetFaderLowFreq(LHandler* context, int32_t index, float value)
{
    SetPairEnd(Fader(index), context, PairEdit::LowFreq, kFadrFrql, kFadrFrqh, value);
}

void CFaderSetRecord::SetFaderHighFreq(LHandler* context, int32_t index, float value)
{
    SetPairEnd(Fader(index), context, PairEdit::HighFreq, kFadrFrql, kFadrFrqh, value);
}

void CFaderSetRecord::SetFaderLowAmp(LHandler* context, int32_t index, float value)
{
    SetPairEnd(Fader(index), context, PairEdit::LowAmp, kFadrAmpl, kFadrAmph, value);
}

void CFaderSetRecord::SetFaderHighAmp(LHandler* context, int32_t index, float value)
{
    SetPairEnd(Fader(index), context, PairEdit::HighAmp, kFadrAmpl, kFadrAmph, value);
}

void CFaderSetRecord::SetCurrentFader(int32_t index)
{
    const int32_t count = FaderCount();
    for (int32_t i = 0; i < count; ++i) {
        if (LObject* fader = Fader(i))
            LObject::SetByte(fader, nullptr, kFadrCurrent, i == index ? 1 : 0, LObject::Merge::No);
    }
}

int32_t CFaderSetRecord::AppendFader(LHandler* context)
{
    if (!Root())
        return -1;
    LObjectPtr fader = LObject::Create(CSnxSchema::FaderClass());
    if (!fader)
        return -1;
    const uint32_t at = Root()->GetArrayCount(kFdrsFdrs);
    if (!LObject::InsertChild(Root(), context, kFdrsFdrs, at, std::move(fader)))
        return -1;
    return static_cast<int32_t>(at);
}

void CFaderSetRecord::RemoveAllFaders()
{
    if (!Root())
        return;
    for (uint32_t n = Root()->GetArrayCount(kFdrsFdrs); n > 0; --n)
        LObject::DeleteChildAt(Root(), nullptr, kFdrsFdrs, n - 1);
    if (LObject* common = Common())
        LObject::SetFloat(common, nullptr, kComnSrat, 120.0f, LObject::Merge::No);
}

void ResizeChannelRecords(LObject* document, LHandler* context, uint32_t n)
{
    if (!document)
        return;
    n = std::clamp<uint32_t>(n, 1, kMaxChannelRecords);
    uint32_t count = document->GetArrayCount(kFdrsChns);
    if (count == n)
        return;
    auto step = CUndoStrm::BeginCompound(context, LStringRef());
    for (; count > n; --count)
        LObject::DeleteChildAt(document, context, kFdrsChns, count - 1);
    for (; count < n; ++count) {
        LObjectPtr channel = LObject::Create(CSnxSchema::ChannelClass());
        if (!channel || !LObject::InsertChild(document, context, kFdrsChns, count, std::move(channel)))
            return;
    }
}

void SetLevelRecord(LObject* document, float factor)
{
    if (!document)
        return;
    const UnitScale unit = ChooseUnitScale(100.0f * factor);
    const float scale = unit.scale * factor;
    const uint32_t decimals = static_cast<uint32_t>(unit.decimals + 1);
    if (document->GetFloat(kFdrsFactor) == factor && document->GetFloat(kFdrsScale) == scale
        && document->GetUInt(kFdrsDecimals) == decimals
        && StrEqual(document->GetString(kFdrsPrefix).Text(), unit.prefix))
        return;
    LObject::SetFloat(document, nullptr, kFdrsFactor, factor, LObject::Merge::No);
    LObject::SetFloat(document, nullptr, kFdrsScale, scale, LObject::Merge::No);
    LObject::SetUInt(document, nullptr, kFdrsDecimals, decimals, LObject::Merge::No);
    LObject::SetString(document, nullptr, kFdrsPrefix, LStringRef(unit.prefix), LObject::Merge::No);
}
