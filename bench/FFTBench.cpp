// The analysis transform against single-precision FFTW on the same complex transform, and the
// whole per-channel spectrum pass (load with window, transform, power, magnitude, decibels).
#include "analysis/CFFT.h"
#include "analysis/CSpectrumChan.h"
#include "analysis/CWindowFunc.h"
#include "analysis/CWindowedFFT.h"

#include <benchmark/benchmark.h>
#ifdef SONALYX_BENCH_FFTW
#include <fftw3.h>
#endif

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<SComplex32> RandomInput(uint32_t n)
{
    std::mt19937 gen(42);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<SComplex32> x(n);
    for (auto& v : x)
        v = {dist(gen), dist(gen)};
    return x;
}

uint32_t OrderOf(int64_t n)
{
    return static_cast<uint32_t>(std::lround(std::log2(static_cast<double>(n))));
}

void SizeArgs(benchmark::internal::Benchmark* b)
{
    for (int64_t n : {256, 1024, 4096, 16384, 65536})
        b->Arg(n);
}

// The transform alone (after a copy of the input, as the FFTW benchmark makes one), or with the
// bit-reversed load the analysis does before it (as CSpectrumBuf loads its FFT buffer): the
// yardstick of the latter is BM_FftwTransform.
enum class Load { Copy, BitReversed };

void MeasureTransform(benchmark::State& state, Load load)
{
    CFFT plan;
    if (!plan.Init(OrderOf(state.range(0)))) {
        state.SkipWithError("plan");
        return;
    }
    const auto input = RandomInput(plan.size);
    std::vector<SComplex32> data(plan.size);
    for (auto _ : state) {
        if (load == Load::BitReversed)
            plan.ForEachReversed([&](uint32_t k, uint32_t reversed) { data[reversed] = input[k]; });
        else
            std::memcpy(data.data(), input.data(), input.size() * sizeof(SComplex32));
        plan.Transform(data, CFFT::Direction::Forward);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * plan.size);
}

void BM_Transform(benchmark::State& state) { MeasureTransform(state, Load::Copy); }
BENCHMARK(BM_Transform)->Apply(SizeArgs);

void BM_TransformWithLoad(benchmark::State& state) { MeasureTransform(state, Load::BitReversed); }
BENCHMARK(BM_TransformWithLoad)->Apply(SizeArgs);

void BM_SpectrumPass(benchmark::State& state)
{
    const uint32_t order = OrderOf(state.range(0));
    CWindowedFFT plan;
    CSpectrumChan chan;
    if (!plan.Setup(order, CHanningWindow()) || !chan.Alloc(order, 13)) {
        state.SkipWithError("setup");
        return;
    }
    for (const auto& v : RandomInput(plan.fft.size))
        chan.Push(v.re);
    for (auto _ : state) {
        chan.LoadFFTInput(plan.windowTable, plan.fft);
        plan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward);
        chan.Power(plan.windowGain);
        chan.Magnitude();
        chan.Decibel();
        benchmark::DoNotOptimize(chan.decibel.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * plan.fft.size);
}
BENCHMARK(BM_SpectrumPass)->Apply(SizeArgs);

#ifdef SONALYX_BENCH_FFTW
void BM_FftwTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto input = RandomInput(static_cast<uint32_t>(n));
    auto* data = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
    fftwf_plan p = fftwf_plan_dft_1d(n, data, data, FFTW_FORWARD, FFTW_MEASURE);
    for (auto _ : state) {
        std::memcpy(data, input.data(), input.size() * sizeof(SComplex32));
        fftwf_execute(p);
        benchmark::DoNotOptimize(data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    fftwf_destroy_plan(p);
    fftwf_free(data);
}
BENCHMARK(BM_FftwTransform)->Apply(SizeArgs);
#endif

} // namespace
