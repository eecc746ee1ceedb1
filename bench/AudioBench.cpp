// Frames per second through the sound input road (simulated input, the unit's ring, the
// source's ring, the window's pull) and through sound-file decoding plus rate conversion.
#include "bench/BenchQueue.h"
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/StrEqual.h"
#include "platform/threads/RecursiveMutex.h"
#include "platform/audio/ManualAudioDriver.h"
#include "platform/soundfile/RateConverter.h"
#include "platform/soundfile/SoundFile.h"
#include "sources/audio/CSoundInSrc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Puller : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, CSampleSrc::msgData)) {
            float frame[8];
            while (source->Read(frame, 8) > 0)
                ++frames;
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    CSampleSrc* source = nullptr;
    int64_t frames = 0;
};

void BM_SoundInputRoad(benchmark::State& state)
{
    plat::ManualAudioDriver driver;
    BenchQueue queue;
    Puller window;
    CSoundInSrc source(&window, &queue);
    window.source = &source;
    if (source.Open() != 0) {
        state.SkipWithError("no simulated input");
        return;
    }
    for (auto _ : state) {
        driver.AdvanceMs(10);
        queue.Deliver();
    }
    state.SetItemsProcessed(window.frames);
}
BENCHMARK(BM_SoundInputRoad);

void BM_SoundFileDecodeAndResample(benchmark::State& state)
{
    const char* dir = std::getenv("TMPDIR");
    const std::string path = std::string(dir && *dir ? dir : "/tmp") + "/sonalyx_bench_tone.flac";
    if (std::system(("sox -n -r 44100 -c 2 -b 16 " + path + " synth 5 sine 440 2>/dev/null").c_str()) != 0) {
        state.SkipWithError("sox could not make the test file");
        return;
    }
    plat::SoundFile file;
    plat::RateConverter converter;
    if (!file.Open(path) || !converter.IsValid()) {
        state.SkipWithError("cannot decode");
        return;
    }
    std::vector<int16_t> in(4096 * 2);
    std::vector<int16_t> out(8192 * 2);
    int64_t frames = 0;
    for (auto _ : state) {
        int64_t got = file.Read(in.data(), 4096);
        if (got <= 0) {
            (void)file.Seek(0);
            got = file.Read(in.data(), 4096);
        }
        long pos = 0;
        while (pos < got) {
            const auto r = converter.Process(in.data() + pos * 2, long(got) - pos, out.data(), 8192, 1.5);
            if (!r.ok || (r.consumed == 0 && r.produced == 0))
                break;
            pos += r.consumed;
        }
        frames += got;
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(frames);
    std::remove(path.c_str());
}
BENCHMARK(BM_SoundFileDecodeAndResample);

} // namespace
