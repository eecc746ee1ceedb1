#include "sources/text/CTextSampleSrc.h"

#include "foundation/text/NumberParse.h"
#include "sources/CSourceType.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr float kDefaultFcRatio = 1.0f / 3.0f;

uint32_t SaturatingAdd(uint32_t a, uint32_t b)
{
    const uint64_t sum = uint64_t{a} + b;
    return sum > UINT32_MAX ? UINT32_MAX : uint32_t(sum);
}

// A decimal count argument: below 2, missing or unreadable counts as 1; huge ones saturate.
uint32_t CountArgument(const char* text)
{
    const int32_t n = StrToLong(text);
    return n < 2 ? 1u : uint32_t(n);
}

// A fraction argument clamped to 0 .. 1; what is not a number counts as 0.
float FractionArgument(const char* text)
{
    const double value = StrToDouble(text);
    if (!(value > 0.0))
        return 0.0f;
    return value >= 1.0 ? 1.0f : float(value);
}

uint32_t HexArgument(const char* text)
{
    const uint64_t value = StrToHex(text);
    return value > UINT32_MAX ? UINT32_MAX : uint32_t(value);
}

} // namespace

CTextSampleSrc::CTextSampleSrc(LHandler* parent) : CSampleSrc(parent) { Reset(); }

void CTextSampleSrc::Reset()
{
    fProtocol.Reset();
    fTypeName.Release();
    fText.Release();
    fType = FindSourceType("");
    fBaseline = 0;
    fRate = 1;
    fOverflow = 0;
    fFcRatio = kDefaultFcRatio;
    fTimeOffset = 0.0f;
    fSampleCount = 0;
    fValueCount = 0;
}

float CTextSampleSrc::Baseline() const
{
    return float(fBaseline) * 16.0f / float(uint64_t{1} << fType->bits);
}

float CTextSampleSrc::PositionSeconds() const { return float(fSampleCount) / float(fRate) + fTimeOffset; }

uint32_t CTextSampleSrc::TakeOverflowCount()
{
    const uint32_t n = fOverflow;
    fOverflow = 0;
    return n;
}

LStringRef CTextSampleSrc::TakeText()
{
    LStringRef text = fText;
    fText.Release();
    return text;
}

int32_t CTextSampleSrc::ParseChar(uint8_t c)
{
    if (!fText.IsEmpty())
        fText.Release();
    return OnFeedResult(fProtocol.Feed(c));
}

int32_t CTextSampleSrc::ParseRun(const uint8_t* bytes, uint32_t n, uint32_t& used)
{
    if (!fText.IsEmpty())
        fText.Release();
    size_t at = 0;
    while (at < n) {
        size_t fed = 0;
        const uint32_t result = fProtocol.FeedRun(bytes + at, n - at, fed);
        at += fed;
        const int32_t parsed = OnFeedResult(result);
        if (parsed != kParsedNothing) {
            used = uint32_t(at);
            return parsed;
        }
    }
    used = uint32_t(at);
    return kParsedNothing;
}

int32_t CTextSampleSrc::OnFeedResult(uint32_t result)
{
    if (result == CTextProtocol::kNothing)
        return kParsedNothing;
    if (result == CTextProtocol::kValue) {
        const int32_t index = fProtocol.ValueIndex();
        if (index >= 0 && index < int32_t(kMaxChannels)) {
            fValue[index] = fProtocol.TokenHex();
            fValueCount = uint8_t(index + 1);
        }
        return kParsedNothing;
    }
    if (result == CTextProtocol::kLine) {
        CountSample();
        return kParsedFrame;
    }
    return OnKeyword(result);
}

int32_t CTextSampleSrc::OnKeyword(uint32_t keyword)
{
    // The token holds the argument, NUL-terminated.
    const std::string_view argument = fProtocol.Token();
    const char* text = argument.data();
    switch (keyword) {
    case CTextProtocol::kOv: {
        const uint32_t n = CountArgument(text);
        CountSample(n);
        fOverflow = SaturatingAdd(fOverflow, n);
        return kParsedEvent;
    }
    case CTextProtocol::kSr:
        return OnRate(CountArgument(text));
    case CTextProtocol::kFr:
        fFcRatio = FractionArgument(text);
        return kParsedEvent;
    case CTextProtocol::kBl:
        fBaseline = HexArgument(text);
        return kParsedEvent;
    case CTextProtocol::kDn:
        AssignType(argument);
        return kParsedEvent;
    case CTextProtocol::kTx:
        if (argument.empty())
            return kParsedNothing;
        fText = LStringRef(argument);
        return kParsedEvent;
    default:
        return kParsedNothing;
    }
}

int32_t CTextSampleSrc::OnRate(uint32_t rate)
{
    if (rate == fRate)
        return kParsedNothing;
    fTimeOffset += float(fSampleCount) / float(fRate);
    fSampleCount = 0;
    fRate = rate;
    return kParsedEvent;
}

int32_t CTextSampleSrc::ScaleFrame(float frame[], uint32_t max) const
{
    const uint32_t n = std::min<uint32_t>(max, fValueCount);
    for (uint32_t i = 0; i < n; ++i)
        frame[i] = fType->ChannelValue(i, fValue[i]);
    return int32_t(n);
}

void CTextSampleSrc::AssignType(std::string_view name)
{
    fTypeName = LStringRef(name);
    fType = FindSourceType(fTypeName.Text());
}

void CTextSampleSrc::RestartPosition()
{
    fTimeOffset = 0.0f;
    fSampleCount = 0;
}

void CTextSampleSrc::CountSample(uint32_t n) { fSampleCount = SaturatingAdd(fSampleCount, n); }

void CTextSampleSrc::SavePosition(CSourcePosition& out) const
{
    out.sampleRate = fRate;
    out.timeOffset = fTimeOffset;
    out.sampleCount = fSampleCount;
    fProtocol.Save(out.parse);
    std::memcpy(out.parse.value, fValue, sizeof fValue);
    out.parse.valueCount = fValueCount;
}

void CTextSampleSrc::RestorePosition(const CSourcePosition& saved, std::string_view token)
{
    fRate = saved.sampleRate < 1 ? 1 : saved.sampleRate;
    fTimeOffset = saved.timeOffset;
    fSampleCount = saved.sampleCount;
    fProtocol.Restore(saved.parse, token);
    std::memcpy(fValue, saved.parse.value, sizeof fValue);
    fValueCount = std::min<uint8_t>(saved.parse.valueCount, uint8_t(kMaxChannels));
    fText.Release();
}
