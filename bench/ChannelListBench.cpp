// CPU time of one render pass of a document's channel list: 4 channels, N = 1024, a trail of
// 64 slices, new spectra written into the newest slice, every row's colour scale, spectrum and
// waveform drawn with real OpenGL (Mesa), against the same areas only cleared and presented;
// and the same rows with the trail off (BM_ChannelListLinePass), and as the document's road
// draws them (BM_ChannelListRoadPass: trail and grid off, N samples in each waveform).
// The ring advances on every pass (a slice interval below the pass interval, as at sound
// rates), on every 16th (1000 Hz: a slice every 256 ms at 60 passes a second) or never
// (passes_per_slice 0: the passes between two advances). The process's
// CPU time counts, so that the rasteriser's threads (LP_NUM_THREADS, 2 unless set) are included.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/CSpectrumChan.h"
#include "analysis/gl/SharedGLContext.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CTrailRenderer.h"
#include "analysis/render/CWaveRenderer.h"
#include "analysis/render/RenderInput.h"
#include "analysis/NiceStep.h"
#include "foundation/async/LTicks.h"
#include "foundation/geometry/LRegion.h"
#include "foundation/records/LObject.h"
#include "platform/gl/GLApi.h"
#include "platform/resources/ResourceFile.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "shell/gl/CGLOptions.h"
#include "shell/resources/LResFileSource.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kChannels = 4;
constexpr uint32_t kOrder = 10;
constexpr uint32_t kDepth = 64;
constexpr float kRate = 1000.0f;

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Fixes the rasteriser's thread count before the first GL context (the renderer's programs)
// brings up the display, which reads it once.
struct FixedThreads {
    FixedThreads()
    {
        setenv("LP_NUM_THREADS", "2", 0);
        setenv("SONALYX_RESOURCE_FILE", SONALYX_BENCH_RESOURCES, 0);
    }
};

// A document of four analysed channels and the twelve drawing areas of its rows.
class Scene : FixedThreads {
public:
    // `road`: the rows as the document's road draws them: trail and grid off, each waveform
    // showing the FFT's samples, and the spectrum's depth buffer left as it is by the drawing
    // passes, as the program leaves it while nothing writes depth.
    Scene(int width, int height, bool trailOn = true, bool road = false) : fRoad(road)
    {
        fRef = plat::OpenResourceFile(plat::ProgramResourcePath(), nullptr);
        fSource = std::make_unique<LResFileSource>(fRef);
        LResourceSource::SetGlobal(fSource.get());
        (void)SharedGLContext();
        record = prefs.AddDocument();
        LObject::SetFloat(record, nullptr, kWindRate, kRate, LObject::Merge::No);
        LObject::SetBool(record, nullptr, kWindTral, trailOn, LObject::Merge::No);
        LObject::SetBool(record, nullptr, kWindGrid, !road, LObject::Merge::No);
        // The frequency grid step the frequency view sets for the whole range.
        LObject::SetFloat(record->GetChild(kWindChvw), nullptr, kChvwGridStep, NiceStep(kRate * 0.5f),
                          LObject::Merge::No);
        LObject::SetByte(document.Root()->GetChild(kFdrsComn), nullptr, kComnFtsx, kOrder, LObject::Merge::No);
        ResizeChannelRecords(document.Root(), nullptr, kChannels);
        (void)analyser.Setup(kChannels, kOrder, 0);
        input.analyser = &analyser;
        input.document = document.Root();
        input.window = record;
        input.zoom = 1;
        input.waveSpan = 3.0f;
        input.waveStep = 0.5f;
        FillChannels();
        const uint32_t depth = trailOn ? kDepth : 0;
        trail.Rebuild(input, depth, true);
        for (uint32_t s = 0; s < std::max<uint32_t>(1, depth); ++s) {
            trail.lastSliceMs = 0; // every call adds a slice
            trail.AddSlice(input);
        }
        MakeAreas(width, height);
    }
    ~Scene()
    {
        areas.clear();
        LResourceSource::SetGlobal(nullptr);
        fSource.reset();
        plat::CloseResourceFile(fRef);
    }

    // One render pass: the analysis writes new spectra into the newest slice, first advancing
    // the ring when asked; then every row's three areas are cleared, drawn and presented.
    void Pass(bool draw, bool advance)
    {
        if (draw) {
            NextSpectra();
            const uint32_t interval = CTrailRenderer::SliceInterval(record, 1u << kOrder);
            trail.lastSliceMs = LTicks::Now() - (advance ? interval : 0);
            trail.AddSlice(input);
        }
        CGLPassScope gl;
        for (uint32_t r = 0; r < kChannels; ++r) {
            CGLContext* scale = areas[3 * r].get();
            CGLContext* spectrum = areas[3 * r + 1].get();
            CGLContext* waveArea = areas[3 * r + 2].get();
            // As the channel list's pass: one context scope per area within one pass scope, and the colour bar drawn,
            // without a clear, only when it changed.
            if (!draw || !trail.ColourScaleDrawn(scale)) {
                CGLContextLock lock(scale);
                if (!draw || !trail.ColourScaleFillsArea())
                    Clear(scale);
                if (draw)
                    trail.DrawColourScale(input, scale);
                scale->FlushBuffer();
            }
            {
                CGLContextLock lock(spectrum);
                Clear(spectrum, !fRoad || !draw);
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE); // the pixels stay opaque
                if (draw)
                    trail.Draw3D(input, spectrum, r);
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                spectrum->FlushBuffer(true);
            }
            input.waveSamples = fRoad ? 1u << kOrder : uint32_t(analyser.Channel(r)->ring.size());
            CGLContextLock lock(waveArea);
            Clear(waveArea);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
            if (draw)
                wave.Draw(input, waveArea, r);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            waveArea->FlushBuffer(true);
        }
    }

    CFaderSetRecord document;
    CAppPrefs prefs;
    LObject* record = nullptr;
    CSpectrumAnalyser analyser;
    RenderInput input;
    CTrailRenderer trail;
    CWaveRenderer wave;
    std::vector<std::unique_ptr<CGLContext>> areas;

private:
    // Every bin a little louder or softer than in the pass before.
    void NextSpectra()
    {
        const float gain = 1.0f + 0.05f * std::sin(float(++fSpectra));
        for (uint32_t c = 0; c < kChannels; ++c)
            for (float& m : analyser.Channel(c)->magnitude)
                m *= gain;
    }
    void FillChannels()
    {
        for (uint32_t c = 0; c < kChannels; ++c) {
            CSpectrumChan& chan = *analyser.Channel(c);
            for (size_t i = 0; i < chan.ring.size(); ++i)
                chan.ring[i] = 0.5f * std::sin(0.05f * float(i));
            for (size_t i = 0; i < chan.snapshot.size(); ++i)
                chan.snapshot[i] = 0.5f * std::sin(0.05f * float(i * (c + 1)));
            for (size_t k = 0; k < chan.magnitude.size(); ++k)
                chan.magnitude[k] = 0.4f / (1.0f + std::fabs(float(k) - 40.0f * float(c + 1)));
        }
    }
    static void Clear(CGLContext* area, bool depth = true)
    {
        CGLContextLock lock(area);
        glClearColor(0, 0, 0, 1);
        glClearDepth(1.0);
        glClear(depth ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT);
    }
    // Rows a quarter of the height each: a 12-pixel colour scale, the spectrum to 60 percent of
    // the width, the waveform beyond.
    void MakeAreas(int width, int height)
    {
        fWindow = plat::Window::Make(plat::Rect{0, 0, double(width), double(height)}, plat::kStyleTitled);
        CGLOptions depth;
        depth.depth = 24;
        const int rowHeight = height / int(kChannels);
        const int split = width * 6 / 10;
        for (uint32_t r = 0; r < kChannels; ++r) {
            const int top = int(r) * rowHeight, bottom = top + rowHeight;
            const CLRect rects[3] = {{0, top, 12, bottom}, {14, top, split, bottom}, {split + 4, top, width, bottom}};
            for (int i = 0; i < 3; ++i) {
                auto area = std::make_unique<CGLContext>(fWindow.Get(), i == 1 ? &depth : nullptr);
                area->SetFrame(rects[i], LRegion(rects[i]));
                areas.push_back(std::move(area));
            }
        }
    }

    bool fRoad = false;
    int fRef = 0;
    uint32_t fSpectra = 0;
    std::unique_ptr<LResFileSource> fSource;
    plat::Ref<plat::Window> fWindow;
};

void RunPasses(benchmark::State& state, bool draw, bool trailOn = true, bool road = false)
{
    Scene scene(int(state.range(0)), int(state.range(1)), trailOn, road);
    const int64_t passesPerSlice = state.range(2);
    // The empty pass of the same areas in the same run: the yardstick of the ratio.
    constexpr int kYardstickPasses = 20;
    const double before = ProcessCpuSeconds();
    for (int i = 0; i < kYardstickPasses; ++i)
        scene.Pass(false, false);
    const double emptyMs = (ProcessCpuSeconds() - before) * 1000.0 / kYardstickPasses;
    scene.Pass(draw, true); // compiles the rasteriser's shader variants
    const double start = ProcessCpuSeconds();
    int64_t passes = 0;
    for (auto _ : state) {
        scene.Pass(draw, passesPerSlice > 0 && passes % passesPerSlice == 0);
        ++passes;
    }
    const double passMs = (ProcessCpuSeconds() - start) * 1000.0 / double(std::max<int64_t>(1, passes));
    state.counters["cpu_ms_per_pass"] = passMs;
    state.counters["ratio_to_empty"] = emptyMs > 0.0 ? passMs / emptyMs : 0.0;
}

} // namespace

static void BM_ChannelListPass(benchmark::State& state)
{
    RunPasses(state, true);
}
BENCHMARK(BM_ChannelListPass)->ArgNames({"w", "h", "passes_per_slice"})->ArgsProduct({{800}, {600}, {1, 16, 0}})->ArgsProduct({{1600}, {1000}, {1, 16, 0}})->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The same rows with the trail off, as a document opens: each spectrum is one lit line.
static void BM_ChannelListLinePass(benchmark::State& state)
{
    RunPasses(state, true, false);
}
BENCHMARK(BM_ChannelListLinePass)->ArgNames({"w", "h", "passes_per_slice"})->Args({800, 600, 1})->Args({1600, 1000, 1})->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The rows as the document's road draws them.
static void BM_ChannelListRoadPass(benchmark::State& state)
{
    RunPasses(state, true, false, true);
}
BENCHMARK(BM_ChannelListRoadPass)->ArgNames({"w", "h", "passes_per_slice"})->Args({800, 600, 1})->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

static void BM_ChannelListEmptyPass(benchmark::State& state)
{
    RunPasses(state, false);
}
BENCHMARK(BM_ChannelListEmptyPass)->ArgNames({"w", "h", "passes_per_slice"})->Args({800, 600, 1})->Args({1600, 1000, 1})->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
