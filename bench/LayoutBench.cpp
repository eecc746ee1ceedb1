// Laying out a frame of 30 panes from its layout texts, with each engine.
#include "foundation/text/LStrList.h"
#include "platform/resources/ResourceSources.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/RunawayLayoutTexts.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutScript.h"
#include "ui/layout/LScriptSource.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPanes = 30;

// The application's resources for the benchmark: the source tree's prelude and the layouts
// the benchmarks add, packed as string lists.
class BenchResources final : public LResourceSource {
public:
    BenchResources()
    {
        std::string root = __FILE__;
        root = root.substr(0, root.rfind("/bench/"));
        std::ifstream in(root + "/resources/TLYO/STDLAYOUT.list", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        Add("STDLAYOUT", plat::SplitStringListText(text.str()));
        LResourceSource::SetGlobal(this);
    }
    void Add(const std::string& name, const std::vector<std::string>& items)
    {
        std::vector<uint8_t> bytes;
        if (plat::PackStringList(items, bytes))
            fLists[name] = std::move(bytes);
    }
    bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override
    {
        auto it = ref.name ? fLists.find(ref.name) : fLists.end();
        if (type != kStrListLayouts || it == fLists.end())
            return false;
        out = it->second;
        return true;
    }

private:
    std::map<std::string, std::vector<uint8_t>> fLists;
};

BenchResources& Resources()
{
    static BenchResources resources;
    return resources;
}

struct ColumnLayout {
    std::string declarations;
    std::string size;
    std::string place;
};

// A column of panes centred in the frame, one below the other.
ColumnLayout MakeColumn(bool script)
{
    ColumnLayout texts;
    std::string widths;
    texts.size = "ch=kStdSpc;";
    texts.place = "t1=kStdSpc;hc=w(0)/2;";
    for (int i = 1; i <= kPanes; ++i) {
        const std::string n = std::to_string(i);
        texts.declarations += "p" + n + "=" + n + ";";
        texts.size += "ch=ch+hp(p" + n + ")+kItemVSpc;";
        widths += (i > 1 ? "," : "") + std::string("wp(p") + n + ")";
        texts.place += "w1=wp(p" + n + ");PlaceSize(p" + n + ",hc-w1/2,t1,w1,hp(p" + n + "));t1=b(p" + n + ")+kItemVSpc;";
    }
    texts.size += "cw=max(" + widths + ")+2*kStdSpc;pp(0,0,0,cw,ch)" + (script ? "" : ";");
    return texts;
}

void AddPanes(FakeLayoutFrame& frame)
{
    for (int i = 1; i <= kPanes; ++i)
        frame.Add(40 + i, 20);
}

void BM_FormulaLayout(benchmark::State& state)
{
    Resources();
    FakeLayoutFrame frame;
    AddPanes(frame);
    const ColumnLayout texts = MakeColumn(false);
    for (auto _ : state) {
        CLRect preferred;
        {
            LFormulaLayout size(nullptr, &frame);
            size.Run(texts.declarations);
            size.Run(texts.size);
            preferred = size.LayoutRect();
        }
        LFormulaLayout place(nullptr, &frame);
        place.Run(texts.declarations);
        place.SetLayoutRect(preferred);
        place.Run(texts.place);
        benchmark::DoNotOptimize(frame[kPanes].Rect());
    }
    if (frame[kPanes].Rect() == CLRect{})
        state.SkipWithError("the prelude did not load: nothing was placed");
}
BENCHMARK(BM_FormulaLayout);

void BM_ScriptLayout(benchmark::State& state)
{
    Resources();
    FakeLayoutFrame frame;
    AddPanes(frame);
    const ColumnLayout texts = MakeColumn(true);
    Resources().Add("COLUMN", {texts.declarations, texts.size, texts.place});
    LStrListRef list;
    LStrListRef::Create(list, LResRef{0, "COLUMN"}, nullptr, kStrListLayouts);
    LLayoutScript script(&frame);
    script.Load(list);
    for (auto _ : state) {
        benchmark::DoNotOptimize(script.RunPref(nullptr));
        script.SetLayoutRect(script.LayoutRect());
        script.RunLayout(nullptr);
        benchmark::DoNotOptimize(frame[kPanes].Rect());
    }
    if (frame[kPanes].Rect() == CLRect{})
        state.SkipWithError("the script did not compile: nothing was placed");
}
BENCHMARK(BM_ScriptLayout);

// A text that runs until the step budget stops it: the longest any layout text can take
// (goal: well under 50 ms).
void BM_FormulaRunawayText(benchmark::State& state)
{
    const std::string text = RunawayLayoutText(false);
    for (auto _ : state) {
        LFormula formula;
        benchmark::DoNotOptimize(formula.Run(text));
        if (!formula.BudgetExhausted())
            state.SkipWithError("the text ended before the budget did");
    }
}
BENCHMARK(BM_FormulaRunawayText)->Unit(benchmark::kMillisecond);

void BM_ScriptRunawayText(benchmark::State& state)
{
    const std::string text = RunawayLayoutText(true);
    LScript script;
    LScriptSource source(text);
    (void)script.Compile(source);
    for (auto _ : state) {
        int32_t result = 0;
        benchmark::DoNotOptimize(script.Call(nullptr, 0, nullptr, result));
        if (script.ErrorCode() != LScript::kErrSteps)
            state.SkipWithError("the script ended before the budget did");
    }
}
BENCHMARK(BM_ScriptRunawayText)->Unit(benchmark::kMillisecond);

} // namespace
