// Building a menu from its list: each entry is appended without walking the entries before
// it, so the cost grows in step with the entry count.
#include "foundation/core/LHandler.h"
#include "foundation/text/LResourceSource.h"
#include "foundation/text/LStrList.h"
#include "ui/menus/LMenu.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// One menu list held in memory.
class OneListSource final : public LResourceSource {
public:
    explicit OneListSource(std::vector<uint8_t> bytes) : fBytes(std::move(bytes)) {}
    bool Load(uint32_t, const LResRef&, std::vector<uint8_t>& out) override
    {
        out = fBytes;
        return true;
    }
    uint32_t GetRegion() const override { return kRegionUS; }

private:
    std::vector<uint8_t> fBytes;
};

// A list of `entries` entries after its header.
std::vector<uint8_t> MenuList(uint32_t entries)
{
    const uint32_t count = entries + 1;
    std::vector<uint8_t> bytes{uint8_t(count >> 8), uint8_t(count & 0xFF)};
    auto add = [&bytes](const std::string& item) {
        bytes.insert(bytes.end(), item.begin(), item.end());
        bytes.push_back(0);
    };
    add("BIG\nBig");
    for (uint32_t i = 0; i < entries; ++i)
        add("cItem" + std::to_string(i) + "\nItem " + std::to_string(i));
    return bytes;
}

} // namespace

static void BM_MenuBuild(benchmark::State& state)
{
    const uint32_t entries = uint32_t(state.range(0));
    OneListSource source(MenuList(entries));
    LHandler parent(nullptr);
    for (auto _ : state) {
        LStrList list({0, "BIG"}, &source, kStrListMenu);
        LMenu menu(&parent, list, &source);
        benchmark::DoNotOptimize(menu.Count());
    }
    state.SetComplexityN(entries);
}
BENCHMARK(BM_MenuBuild)->RangeMultiplier(4)->Range(256, 16384)->Complexity(benchmark::oN);
