// The document's road through the running program: the application made as at start-up
// (headless window system, shipped resources, a temporary home), a document of 4 channels
// (N = 1024, Hann; other shapes as RoadShapes lists) with 64 OSC faders opened in its window, whose live source is the line
// protocol arriving over loopback TCP in 1 ms chunks. The main loop runs as in the program:
// the channel list's render timer paces the passes, and each pass analyses, draws the views
// (Mesa) and sends OSC. BM_SingleLoopRoad (RoadBench.cpp) is the yardstick: run both in one
// invocation. Figures: CPU (share of a core and seconds per second of signal), passes per
// second, and the delay from a probe step's arrival to its OSC datagram (RoadParts.h).
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/DocumentWriter.h"
#include "analysis/window/WindowMessage.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "bench/RoadParts.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObject.h"
#include "outputs/faders/CFaderOut.h"
#include "platform/app/Application.h"
#include "platform/menus/MainMenu.h"
#include "platform/resources/ResourceFile.h"
#include "platform/window/DesktopStart.h"
#include "shell/app/AppDelegate.h"
#include "shell/menus/ProgramMainMenu.h"
#include "tests/support/TempHome.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace {

using namespace road;

// The first second after opening sends no OSC yet (views laid out, GL set up): left out.
constexpr uint64_t kWarmUpUs = 2000000;
constexpr uint64_t kMeasureUs = 10000000;
// The chooser's entry for a TCP line source among the document window's texts.
constexpr uint32_t kTcpSourceItem = 13;

void SetFader(LObject* fader, uint8_t measure, uint8_t channel, float lowHz, float highHz, float gate, float high)
{
    const auto merge = LObject::Merge::No;
    LObject::SetFloat(fader, nullptr, kFadrFrql, lowHz, merge);
    LObject::SetFloat(fader, nullptr, kFadrFrqh, highHz, merge);
    LObject::SetByte(fader, nullptr, kFadrStyp, measure, merge);
    LObject::SetByte(fader, nullptr, kFadrSchn, channel, merge);
    // Equal input ends make a switch: the low output below the gate, the high one from it on.
    LObject::SetFloat(fader, nullptr, kFadrAmpl, gate, merge);
    LObject::SetFloat(fader, nullptr, kFadrAmph, gate, merge);
    LObject::SetFloat(fader, nullptr, kFadrFdrl, 0.0f, merge);
    LObject::SetFloat(fader, nullptr, kFadrFdrh, high, merge);
}

// Fader 0 is the probe (time-domain, channel 3, gated at half scale); faders 1 to 63 are
// band faders whose output is 0 whatever they measure, so only the probe's steps send.
bool WriteRoadDocument(const std::string& path, uint16_t oscPort, const RoadShape& shape)
{
    CFaderSetRecord document;
    ResizeChannelRecords(document.Root(), nullptr, shape.channels);
    LObject* common = document.Common();
    LObject::SetFloat(common, nullptr, kComnSrat, float(kRate), LObject::Merge::No);
    LObject::SetByte(common, nullptr, kComnFtsx, uint8_t(shape.order), LObject::Merge::No);
    LObject::SetByte(common, nullptr, kComnWnfc, 1, LObject::Merge::No);   // Hann
    LObject::SetByte(common, nullptr, kComnCtdc, 0, LObject::Merge::No);
    for (uint32_t i = 0; i < kFaders; ++i) {
        LObject* fader = document.Fader(document.AppendFader(nullptr));
        const FaderSetting band = FaderAt(i, shape.channels);
        if (i == 0)
            SetFader(fader, 4, uint8_t(shape.ProbeChannel()), 0.0f, 0.0f, 0.5f, 1.0f);
        else
            SetFader(fader, band.measure, band.channel, band.low, band.high, 0.0f, 0.0f);
        LObject* params = fader->GetChild(kFadrCprm);
        CParamSet::SetValue(params, nullptr, "opt", LStringRef(std::to_string(oscPort)));
        CParamSet::SetValue(params, nullptr, "oad", LStringRef(i == 0 ? kProbeAddress : band.address.c_str()));
        LObject::SetByte(fader, nullptr, kFadrFtyp, kFaderOsc, LObject::Merge::No);
    }
    return WriteDocumentFile(path, document.Root());
}

// The program's services made as the program makes them, over a temporary home.
class RunningProgram {
public:
    RunningProgram()
    {
        (void)Home();
        setenv("SONALYX_HEADLESS", "1", 1);
        setenv("SONALYX_RESOURCE_FILE", SONALYX_BENCH_RESOURCES, 0);
        setenv("FONTCONFIG_FILE", SONALYX_BENCH_FONTS, 0);
        setenv("LP_NUM_THREADS", "2", 0);
        (void)plat::StartDesktop();
        fResources = plat::OpenResourceFile(plat::ProgramResourcePath(), nullptr);
        if (fResources <= 0)
            return;
        SetProgramResourceFile(fResources);
        plat::SetMainMenu(MakeProgramMainMenu());
        plat::Application::Shared().SetDelegate(&fDelegate);
        if (CreateGlobals() != 0 || !CApp::Get())
            return;
        fDelegate.SetMain(&CApp::Get()->MainLoop());
        plat::Application::Shared().BeginRun();
        fReady = true;
    }
    ~RunningProgram()
    {
        fDelegate.SetMain(nullptr);
        DestroyGlobals();
        plat::Application::Shared().EndRun();
        plat::Application::Shared().SetDelegate(nullptr);
        plat::SetMainMenu(nullptr);
        SetProgramResourceFile(0);
        if (fResources > 0)
            plat::CloseResourceFile(fResources);
    }
    bool Ready() const { return fReady; }
    std::string Folder() const { return Home().path(); }

    // Opens the document in a window whose live source is the TCP peer at `port`.
    CSpecWindow* Open(const std::string& path, uint16_t port)
    {
        LObject* record = CApp::Get()->Prefs().AddDocument();
        LObject::SetString(record, nullptr, kWindPort, WindowText(kTcpSourceItem), LObject::Merge::No);
        LObject::SetString(record, nullptr, kWindTcpa, LStringRef("127.0.0.1:" + std::to_string(port)),
                           LObject::Merge::No);
        LObject::SetByte(record, nullptr, kWindLsrc, CSpecWindow::kLiveSource, LObject::Merge::No);
        return CApp::Get()->OpenDocument(path, record);
    }

    // Runs the main loop until `untilUs`; a waker ends the last wait for events on time.
    static void RunUntil(uint64_t untilUs)
    {
        std::thread waker([untilUs] {
            const uint64_t nowUs = plat::NowUs();
            if (untilUs > nowUs)
                plat::SleepUs(untilUs - nowUs);
            plat::Application::PostEvent(0, 0, 0, false);
        });
        while (plat::NowUs() < untilUs && plat::Application::Shared().RunOnce()) {
        }
        waker.join();
    }

private:
    // One home for the process: Mesa keeps the cache folder it found first.
    static TempHome& Home()
    {
        static TempHome home;
        return home;
    }

    AppDelegate fDelegate;
    int fResources = 0;
    bool fReady = false;
};

void BM_DocumentRoad(benchmark::State& state)
{
    const RoadShape shape = ShapeOf(state);
    Peer peer(shape.channels);
    OscSink sink;
    CpuMeter meter(peer, sink);
    RunningProgram program;
    const std::string path = program.Folder() + "/road.snx";
    if (!program.Ready() || !WriteRoadDocument(path, sink.Port(), shape)) {
        state.SkipWithError("the program or its document could not be made");
        return;
    }
    CSpecWindow* window = program.Open(path, peer.Port());
    if (!window || !window->LiveSource()) {
        state.SkipWithError("the document did not open on its TCP source");
        return;
    }
    uint32_t passes = 0;
    for (auto _ : state) {
        RunningProgram::RunUntil(plat::NowUs() + kWarmUpUs);
        const uint32_t passesBefore = window->ChannelList().RenderPasses();
        const uint64_t linesBefore = peer.LinesSent();
        meter.Start();
        const uint64_t fromUs = plat::NowUs();
        RunningProgram::RunUntil(fromUs + kMeasureUs);
        ReportRoad(state, peer, sink, meter, linesBefore, fromUs, plat::NowUs());
        passes = window->ChannelList().RenderPasses() - passesBefore;
    }
    state.counters["passes_per_s"] = double(passes) * 1e6 / double(kMeasureUs);
    state.counters["osc_datagrams"] = double(sink.Datagrams());
}
BENCHMARK(BM_DocumentRoad)->Apply(RoadShapes)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
