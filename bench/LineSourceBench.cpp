// The pull path of a line-protocol source (Read until no frame is ready, chunk by chunk as the
// link delivers them) against a plain byte loop doing the same parse and scaling.
#include "bench/BenchQueue.h"
#include "bench/PlainLineParser.h"
#include "bench/ProtocolText.h"
#include "sources/CSourceType.h"
#include "sources/lines/CLineSampleSrc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A line source whose link is a text in memory, handed over one receive buffer at a time.
class MemoryLineSrc final : public CLineSampleSrc {
public:
    MemoryLineSrc(LAsyncQueue* queue, const std::string& text) : CLineSampleSrc(nullptr, queue), fText(text)
    {
        BeginStream();
    }
    // Delivers the next chunk of the text, as a completed read of the link does.
    void Deliver()
    {
        const size_t n = std::min<size_t>(kReceiveSize, fText.size() - fOffset);
        std::memcpy(fBuffer, fText.data() + fOffset, n);
        fOffset = fOffset + n >= fText.size() ? 0 : fOffset + n;
        SetReceived(uint32_t(n));
    }

protected:
    bool PortCanRead() const override { return true; }
    bool PortStartRead(void* buffer, uint32_t) override
    {
        fBuffer = static_cast<uint8_t*>(buffer);
        return true;
    }
    bool PortCanWrite() const override { return false; }
    bool PortWrite(const void*, uint32_t) override { return false; }

private:
    const std::string& fText;
    size_t fOffset = 0;
    uint8_t* fBuffer = nullptr;
};

const std::string& Text()
{
    static const std::string text = ProtocolText(1 << 14);
    return text;
}

} // namespace

static void BM_LineSourcePull(benchmark::State& state)
{
    BenchQueue queue;
    MemoryLineSrc source(&queue, Text());
    float frame[4];
    float sum = 0.0f;
    (void)source.Read(frame, 4); // asks the link for the first chunk
    for (auto _ : state) {
        source.Deliver();
        for (int32_t r; (r = source.Read(frame, 4)) != 0;)
            if (r > 0)
                sum += frame[0] + frame[3];
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * CLineSampleSrc::kReceiveSize);
}
BENCHMARK(BM_LineSourcePull);

// The yardstick of the above.
static void BM_PlainLineLoop(benchmark::State& state)
{
    const std::string& text = Text();
    PlainLineParser parser(FindSourceType(""));
    float sum = 0.0f;
    size_t offset = 0;
    uint8_t chunk[CLineSampleSrc::kReceiveSize];
    for (auto _ : state) {
        const size_t n = std::min<size_t>(sizeof chunk, text.size() - offset);
        std::memcpy(chunk, text.data() + offset, n);
        offset = offset + n >= text.size() ? 0 : offset + n;
        parser.Parse(chunk, n, [&](const float* f, uint32_t) { sum += f[0] + f[3]; });
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * CLineSampleSrc::kReceiveSize);
}
BENCHMARK(BM_PlainLineLoop);
