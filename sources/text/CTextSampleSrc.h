#pragma once
#include "sources/CSampleSrc.h"
#include "sources/text/CTextProtocol.h"

struct CSourceType;

// The sources that read the text line protocol: the parser that turns tokenizer events into
// frames and stream metadata (type, rate, Fc ratio, baseline, lost samples, texts). How the
// bytes arrive, and Read, are the subclasses' business.
class CTextSampleSrc : public CSampleSrc {
public:
    // Results of ParseChar.
    enum : int32_t { kParsedNothing = 0, kParsedFrame = 1, kParsedEvent = 2 };

    explicit CTextSampleSrc(LHandler* parent);

    uint32_t SampleRate() const override { return fRate; }
    float FcRatio() const override { return fFcRatio; }
    LStringRef TypeName() const override { return fTypeName; }
    // The baseline as received, scaled to the type's raw range: baseline * 16 / 2^bits.
    float Baseline() const override;
    float PositionSeconds() const override;
    uint32_t TakeOverflowCount() override;
    LStringRef TakeText() override;

    // Parses one byte: kParsedFrame when a frame is ready (ScaleFrame), kParsedEvent when a
    // keyword changed the metadata or brought a text, else kParsedNothing. A pending text
    // lasts only until the next byte is parsed.
    int32_t ParseChar(uint8_t c);
    // Parses bytes as ParseChar does, one after another, until one gives a frame or an event
    // (its result) or all n are parsed (kParsedNothing); `used` counts the bytes parsed.
    int32_t ParseRun(const uint8_t* bytes, uint32_t n, uint32_t& used);
    // Writes the last frame's channel values into frame[0 .. max) and returns their count.
    int32_t ScaleFrame(float frame[], uint32_t max) const;
    // Back to a fresh stream: no type, rate 1, Fc ratio 1/3, position 0.
    void Reset();

    bool AtLineBoundary() const { return fProtocol.AtLineBoundary(); }
    const CSourceType* SourceType() const { return fType; }
    uint32_t SampleCount() const { return fSampleCount; }
    float TimeOffset() const { return fTimeOffset; }

protected:
    // Everything of a position but its byte offset: rate, time offset, sample count and the
    // parser's state.
    void SavePosition(CSourcePosition& out) const;
    // Restores what SavePosition kept; `token` holds the bytes of the token pending there
    // (read back from the stream, CTextParseState::tokenSpan bytes before the position).
    void RestorePosition(const CSourcePosition& saved, std::string_view token);

    // Metadata set by sources that know their stream without announcements.
    void AssignType(std::string_view name);
    void AssignRate(uint32_t rate) { fRate = rate < 2 ? 1 : rate; }
    void AssignFcRatio(float ratio) { fFcRatio = ratio; }
    // The position starts again at 0 (a new recording starts here).
    void RestartPosition();
    // Counts one more sample, saturating.
    void CountSample(uint32_t n = 1);

    uint32_t OverflowCount() const { return fOverflow; }
    void SetOverflowCount(uint32_t n) { fOverflow = n; }
    void SetSampleCount(uint32_t n) { fSampleCount = n; }

private:
    // What a step of the tokenizer that reported `result` makes of it.
    int32_t OnFeedResult(uint32_t result);
    int32_t OnKeyword(uint32_t keyword);
    int32_t OnRate(uint32_t rate);

    CTextProtocol fProtocol;
    LStringRef fTypeName;
    LStringRef fText;
    const CSourceType* fType = nullptr;
    uint32_t fBaseline = 0;
    uint32_t fRate = 1;
    uint32_t fOverflow = 0;
    float fFcRatio = 0.0f;
    float fTimeOffset = 0.0f;
    uint32_t fSampleCount = 0;
    uint16_t fValue[kMaxChannels] = {};
    uint8_t fValueCount = 0;
};
