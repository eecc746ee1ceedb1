// The tokenizer and parser of the line protocol, byte by byte.
#include "bench/ProtocolText.h"
#include "sources/text/CTextProtocol.h"
#include "sources/text/CTextSampleSrc.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

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
