// Cost of the output work done on every refresh and render pass: packing a full DMX frame
// for USB, merging the program's frame with the input frame, and laying out an OSC message.
#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"
#include "outputs/dmx/CDmxFrame.h"
#include "outputs/dmx/DmxUsbPackets.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

void BM_DmxPackFullFrame(benchmark::State& state)
{
    std::vector<uint8_t> frame(513, 0x7F);
    std::vector<uint8_t> packets(DmxUsbPackets::PackedSize(513));
    for (auto _ : state) {
        benchmark::DoNotOptimize(DmxUsbPackets::Pack(frame.data(), 513, packets.data()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DmxPackFullFrame);

// The refresh's merge: every slot the higher of two frames.
void BM_DmxMergeFrames(benchmark::State& state)
{
    CDmxFrame in;
    CDmxFrame out;
    CDmxFrame send;
    in.Clear(true);
    out.Clear(true);
    for (uint32_t k = 1; k < CDmxFrame::kMaxSize; ++k) {
        in.Set(k, uint8_t(k));
        out.Set(k, uint8_t(255 - k));
    }
    for (auto _ : state) {
        send.Clear(true);
        for (uint32_t k = 1; k < CDmxFrame::kMaxSize; ++k)
            send.Set(k, std::max(in.Slot(k), out.Slot(k)));
        benchmark::DoNotOptimize(send.Get(100));
    }
}
BENCHMARK(BM_DmxMergeFrames);

void BM_OscFloatMessage(benchmark::State& state)
{
    LByteBuffer block;
    float value = 0.0f;
    for (auto _ : state) {
        CMemStream stream(block);
        WriteOscFloatMessage(stream, "/snx/fader", value);
        value += 0.001f;
        benchmark::DoNotOptimize(stream.position);
    }
}
BENCHMARK(BM_OscFloatMessage);

} // namespace
