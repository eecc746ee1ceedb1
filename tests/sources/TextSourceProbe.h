#pragma once
#include "sources/text/CTextSampleSrc.h"

#include <cstdio>
#include <string>
#include <string_view>

// A text source fed by hand: Read parses the bytes given to Feed, and the transcript tells
// in order what the parser reported ("F[a,b]" for a frame, "E" for an event, "T:text" for
// an event with text).
class TextSourceProbe : public CTextSampleSrc {
public:
    TextSourceProbe() : CTextSampleSrc(nullptr) {}

    int32_t Read(float frame[], uint32_t max) override
    {
        while (byRuns && fNext < fInput.size()) {
            uint32_t used = 0;
            const int32_t r = ParseRun(reinterpret_cast<const uint8_t*>(fInput.data()) + fNext,
                                       uint32_t(fInput.size() - fNext), used);
            fNext += used;
            if (r == kParsedFrame)
                return ScaleFrame(frame, max);
            if (r == kParsedEvent)
                return -1;
        }
        while (fNext < fInput.size()) {
            const int32_t r = ParseChar(uint8_t(fInput[fNext++]));
            if (r == kParsedFrame)
                return ScaleFrame(frame, max);
            if (r == kParsedEvent)
                return -1;
        }
        return 0;
    }

    // Parses `bytes` and returns what came out of them.
    std::string Feed(std::string_view bytes)
    {
        fInput.assign(bytes);
        fNext = 0;
        std::string log;
        float frame[kMaxChannels];
        for (;;) {
            const int32_t n = Read(frame, kMaxChannels);
            if (n == 0)
                return log;
            if (n < 0) {
                const LStringRef text = TakeText();
                log += text.IsEmpty() ? std::string("E") : "T:" + std::string(text.View());
                continue;
            }
            log += "F[";
            for (int32_t i = 0; i < n; ++i) {
                char number[32];
                std::snprintf(number, sizeof number, "%s%.10g", i ? "," : "", double(frame[i]));
                log += number;
            }
            log += "]";
        }
    }

    using CTextSampleSrc::OverflowCount;

    bool byRuns = false; // Read parses with ParseRun instead of byte by byte

private:
    std::string fInput;
    size_t fNext = 0;
};
