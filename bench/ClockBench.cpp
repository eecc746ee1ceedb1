#include "platform/Clock.h"

#include <benchmark/benchmark.h>

static void BM_NowMs(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::NowMs());
}
BENCHMARK(BM_NowMs);
