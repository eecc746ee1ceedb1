#include "foundation/core/LArray.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LRef.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"

#include <benchmark/benchmark.h>

// Composing a short text must not allocate: it stays in the inline buffer.
static void BM_StrStreamShortText(benchmark::State& state)
{
    for (auto _ : state) {
        LStrStream s;
        s << "LWindow_" << "Close" << ' ' << "42";
        benchmark::DoNotOptimize(s.CStr());
    }
}
BENCHMARK(BM_StrStreamShortText);

static void BM_StrStreamLongText(benchmark::State& state)
{
    for (auto _ : state) {
        LStrStream s;
        for (int i = 0; i < 64; ++i)
            s << "a line of text\n";
        benchmark::DoNotOptimize(s.CStr());
    }
}
BENCHMARK(BM_StrStreamLongText);

// Appends are amortised constant time.
static void BM_ArrayAppend(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LArray a(sizeof(int));
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(a.Append(&i));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ArrayAppend)->Arg(1000)->Arg(100000);

// One atomic operation per handle touched.
static void BM_StringHandleCopy(benchmark::State& state)
{
    LStringRef text("a shared text");
    for (auto _ : state) {
        LStringRef copy = text;
        benchmark::DoNotOptimize(copy.Get());
    }
}
BENCHMARK(BM_StringHandleCopy);

static void BM_SendUpChain(benchmark::State& state)
{
    LHandler top;
    LHandler mid(&top);
    LHandler leaf(&mid);
    for (auto _ : state)
        LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    leaf.SetParent(nullptr);
    mid.SetParent(nullptr);
}
BENCHMARK(BM_SendUpChain);
