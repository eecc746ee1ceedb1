#include "foundation/geometry/LRegion.h"

#include <benchmark/benchmark.h>

namespace {

// A staggered grid of n small rectangles: every union adds bands and spans.
CLRect GridRect(int i)
{
    const int32_t col = i % 32, row = i / 32;
    const int32_t x = col * 12 + (row % 3) * 4, y = row * 9 + (col % 2) * 3;
    return CLRect{x, y, x + 10, y + 7};
}

void BM_RegionUnionMany(benchmark::State& state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        LRegion region;
        for (int i = 0; i < n; ++i)
            region.Union(LRegion(GridRect(i)));
        benchmark::DoNotOptimize(region.Get());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RegionUnionMany)->Arg(16)->Arg(128)->Arg(1024);

void BM_RegionSubtractMany(benchmark::State& state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        LRegion region(CLRect{0, 0, 400, 300});
        for (int i = 0; i < n; ++i)
            region.Subtract(LRegion(GridRect(i)));
        benchmark::DoNotOptimize(region.Get());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RegionSubtractMany)->Arg(16)->Arg(128)->Arg(1024);

// Rectangles take the plain shortcuts: no band list is ever built.
void BM_RegionRectIntersect(benchmark::State& state)
{
    const LRegion clip(CLRect{0, 0, 800, 600});
    for (auto _ : state) {
        LRegion r(CLRect{100, 100, 900, 700});
        r.Intersect(clip);
        benchmark::DoNotOptimize(r.Get());
    }
}
BENCHMARK(BM_RegionRectIntersect);

} // namespace
