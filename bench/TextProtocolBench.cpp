// Line-protocol text as devices send it: 4 channels of 4-digit hexadecimal samples per line.
#include "sources/text/CTextProtocol.h"
#include "sources/text/CTextSampleSrc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string ProtocolText(size_t lines)
{
    std::string text;
    char line[40];
    for (size_t i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "%04x %04x %04x %04x\r\n", unsigned(i * 7) & 0xFFFF,
                      unsigned(i * 13) & 0xFFFF, unsigned(i * 29) & 0xFFFF, unsigned(i * 31) & 0xFFFF);
        text += line;
    }
    return text;
}

// Parses a buffer the way every text source reads: byte by byte until a frame.
class BenchSource final : public CTextSampleSrc {
public:
    BenchSource() : CTextSampleSrc(nullptr) {}
    int32_t Read(float[], uint32_t) override { return 0; }
};

} // namespace

static void BM_TextProtocolFeed(benchmark::State& state)
{
    const std::string text = ProtocolText(4096);
    CTextProtocol protocol;
    for (auto _ : state) {
        uint32_t lines = 0;
        for (const char c : text)
            lines += protocol.Feed(uint8_t(c)) == CTextProtocol::kLine;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_TextProtocolFeed);

static void BM_TextSampleSrcParseChar(benchmark::State& state)
{
    const std::string text = ProtocolText(4096);
    BenchSource source;
    float frame[8];
    for (auto _ : state) {
        float sum = 0.0f;
        for (const char c : text) {
            if (source.ParseChar(uint8_t(c)) == CTextSampleSrc::kParsedFrame && source.ScaleFrame(frame, 8) > 0)
                sum += frame[0];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_TextSampleSrcParseChar);
