// Measuring text (every layout pass asks every control for its size) and filling a clipped
// region of a window-sized image, the two drawing paths the panes use most.
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "platform/draw/TextLayout.h"
#include "ui/draw/LBrush.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

#include <benchmark/benchmark.h>

namespace {

plat::Font* BenchFont()
{
    static plat::Font* font = plat::Font::Open("DejaVu Sans", 12, false, false, nullptr);
    return font;
}

void BM_MeasureLabel(benchmark::State& state)
{
    plat::Font* font = BenchFont();
    for (auto _ : state)
        benchmark::DoNotOptimize(font->Advance("Channel 3: 1024-point spectrum"));
}
BENCHMARK(BM_MeasureLabel);

void BM_WrapParagraph(benchmark::State& state)
{
    plat::Font* font = BenchFont();
    const char* text = "The fader maps the band's level through its input range to its output range "
                       "and sends the value to the lighting channel it is assigned to.";
    for (auto _ : state) {
        plat::TextLayout layout(*font, text, 160);
        benchmark::DoNotOptimize(layout.Height());
    }
}
BENCHMARK(BM_WrapParagraph);

void BM_FillClippedRegion(benchmark::State& state)
{
    plat::Bitmap image(1440, 900);
    plat::Canvas canvas(image);
    LPortState port;
    port.SetContext(&canvas);
    LRegion clip;
    for (int i = 0; i < 16; ++i)
        clip.Union(LRegion(CLRect{i * 90, i * 50, i * 90 + 60, i * 50 + 40}));
    port.SetClip(clip);
    LFillRegionOp fill(LRegion(CLRect{0, 0, 1440, 900}), LBrush::MakeRGB(30, 60, 90));
    for (auto _ : state) {
        fill.Draw(port);
        port.SetChangeFlags(LPortState::kClipChanged);
    }
    port.SetContext(nullptr);
}
BENCHMARK(BM_FillClippedRegion);

} // namespace
