// Laying out a frame of 30 panes from its layout texts, with each engine.
#include "platform/ResourceFile.h"
#include "platform/ResourceSources.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutScript.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPanes = 30;

// Opens a resource file packed from the source tree's prelude, so the benchmark measures the
// real prelude wherever it runs.
void OpenPrelude()
{
    static bool opened = false;
    if (opened)
        return;
    opened = true;
    std::string root = __FILE__;
    root = root.substr(0, root.rfind("/bench/"));
    std::ifstream in(root + "/resources/TLYO/STDLAYOUT.list", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    plat::ResourceEntry entry;
    entry.type = 0x544C594F; // 'TLYO'
    entry.id = 128;
    entry.name = "STDLAYOUT";
    std::vector<uint8_t> bytes;
    if (!plat::PackStringList(plat::SplitStringListText(text.str()), entry.data) ||
        plat::PackResources({entry}, bytes) != plat::ResourceStatus::Ok)
        return;
    const std::string path = "/tmp/sonalyx_layout_bench.rsrc";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    plat::ResourceStatus status;
    plat::OpenResourceFile(path, &status);
    std::remove(path.c_str());
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
    OpenPrelude();
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
        benchmark::DoNotOptimize(frame[kPanes].fRect);
    }
    if (frame[kPanes].fRect == CLRect{})
        state.SkipWithError("the prelude did not load: nothing was placed");
}
BENCHMARK(BM_FormulaLayout);

void BM_ScriptLayout(benchmark::State& state)
{
    OpenPrelude();
    FakeLayoutFrame frame;
    AddPanes(frame);
    const ColumnLayout texts = MakeColumn(true);
    LLayoutScript script(&frame);
    script.Load(std::vector<std::string>{texts.declarations, texts.size, texts.place});
    for (auto _ : state) {
        benchmark::DoNotOptimize(script.RunPref(nullptr));
        script.SetLayoutRect(script.LayoutRect());
        script.RunLayout(nullptr);
        benchmark::DoNotOptimize(frame[kPanes].fRect);
    }
    if (frame[kPanes].fRect == CLRect{})
        state.SkipWithError("the script did not compile: nothing was placed");
}
BENCHMARK(BM_ScriptLayout);

} // namespace
