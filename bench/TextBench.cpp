// Text services that run for every number shown or written, and string lists read in order.
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "platform/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A string list held in memory with a fixed number of items.
class BenchListSource final : public LResourceSource {
public:
    explicit BenchListSource(int items)
    {
        fBytes = {static_cast<uint8_t>(items >> 8), static_cast<uint8_t>(items & 0xFF)};
        for (int i = 0; i < items; ++i) {
            const std::string item = "item number " + std::to_string(i);
            fBytes.insert(fBytes.end(), item.begin(), item.end());
            fBytes.push_back(0);
        }
    }
    bool Load(uint32_t, const LResRef&, std::vector<uint8_t>& out) override
    {
        out = fBytes;
        return true;
    }

private:
    std::vector<uint8_t> fBytes;
};

} // namespace

static void BM_DoubleToStringTrim(benchmark::State& state)
{
    double value = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DoubleToStringTrim(3, value));
        value += 0.37;
    }
}
BENCHMARK(BM_DoubleToStringTrim);

// Reading every item in increasing order must stay linear in the size of the list.
static void BM_StrListInOrder(benchmark::State& state)
{
    const auto items = static_cast<int>(state.range(0));
    BenchListSource source(items);
    LStrList list(LResRef{0, "L"}, &source, kStrListDialogTexts);
    for (auto _ : state) {
        for (int i = 0; i < items; ++i)
            benchmark::DoNotOptimize(list.GetItem(static_cast<uint32_t>(i)));
    }
    state.SetComplexityN(items);
}
BENCHMARK(BM_StrListInOrder)->Range(16, 4096)->Complexity(benchmark::oN);

static void BM_Utf8ToUtf16(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 256; ++i)
        text += "caf\xC3\xA9 \xE2\x82\xAC ";
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::Utf8ToUtf16(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToUtf16);
