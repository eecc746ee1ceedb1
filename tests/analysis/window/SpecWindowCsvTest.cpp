#include "analysis/window/RecordCsvExport.h"
#include "analysis/window/CSourceControls.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "platform/controls/Button.h"
#include "platform/files/FileSpecText.h"
#include "platform/window/PanelTestDriver.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/foundation/TempFiles.h"
#include "ui/dialogs/CSimpleMessageDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A recording at 4 samples per second of the untyped 10-bit row (v = r / 1024 - 0.5):
// "300" is 0.25, "200" is 0, "100" is -0.25. With 4-point analyses, a rectangular window and
// one channel, a constant 0.25 gives 0.25 at bin 0; 0.25, 0, -0.25, 0 gives 0.125 at bin 1.
constexpr const char* kHeader = "dn \rfr 0.5\rsr 4\r";
constexpr const char* kConstant = "300\r300\r300\r300\r";
constexpr const char* kWave = "300\r200\r100\r200\r";
constexpr const char* kHead = "Record File,FFT Samples,Sampling[Hz],Fc Ratio,Channels,Amplitude,Time Domain,";

class SpecWindowCsv : public SpecWindowTest {
protected:
    SpecWindowCsv()
    {
        Make();
        Command("CAppCmd_FFTSize", "4");
        Command("CAppCmd_WfRect");
        Command("CAppCmd_Chans", "1");
        Command("CAppCmd_AmpLn");
    }
    void Options(float length, bool summarise, bool events, bool maximum = false)
    {
        LObject::SetFloat(View(), nullptr, kWndsSptl, length, LObject::Merge::No);
        LObject::SetByte(View(), nullptr, kWndsSpts, summarise ? 1 : 0, LObject::Merge::No);
        LObject::SetByte(View(), nullptr, kWndsSpet, events ? 1 : 0, LObject::Merge::No);
        const float kind = maximum ? 1.0f : 0.0f;
        uint32_t bits = 0;
        std::memcpy(&bits, &kind, sizeof bits);
        LObject::SetUInt(View(), nullptr, kWndsSptd, bits, LObject::Merge::No);
    }
    // Shows bands of `width` Hz in the channel list, chosen as the user does.
    void ShowBands(float width)
    {
        window->Bands().SetWidth(width);
        Answer("", true);
        Command("CAppCmd_FreqIntv");
    }
    // Plays the recording and exports it, the settings dialog answered with Return.
    std::string Export(const std::string& name, const std::string& body)
    {
        const std::string path = home.path() + "/" + name;
        std::ofstream(path, std::ios::binary) << body;
        window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(path)));
        EXPECT_EQ(window->MakePlaybackSource(), 0);
        Answer("", true);
        window->SaveSpectrumCsv(csv);
        return ReadAll(csv);
    }

    // Answers every dialog with Return and keeps the texts of the message boxes shown.
    void ReturnToEveryDialog(std::vector<std::string>& messages)
    {
        app->modalSteps = 0;
        app->onModalStep = [this, &messages](LModalDialog& dialog) {
            if (auto* box = dynamic_cast<CSimpleMessageDialog*>(&dialog))
                messages.emplace_back(box->Message().Text().View());
            PressReturn();
        };
    }

    const std::string csv = home.path() + "/spectra.csv";
};

// A playback source that plays scripted frames without pacing and claims a rate of 0.
class RatelessSource : public ScriptedSource {
public:
    using ScriptedSource::ScriptedSource;
    int32_t ReadNext(float frame[], uint32_t max) override { return Read(frame, max); }
};

// A recording at 4 samples per second whose every sample takes 300 ms of the clock to read.
class SlowSource : public ScriptedSource {
public:
    SlowSource(LHandler* parent, plat::ScopedVirtualClock& clock) : ScriptedSource(parent), fClock(clock) { rate = 4; }
    int32_t ReadNext(float frame[], uint32_t max) override
    {
        fClock.AdvanceMs(300);
        const int32_t got = Read(frame, max);
        fRead += got > 0;
        return got;
    }
    float PositionSeconds() const override { return float(fRead) / 4.0f; }

private:
    plat::ScopedVirtualClock& fClock;
    uint32_t fRead = 0;
};

// The process's clock replaced for the scope by one that moves on 400 ms at every reading, so
// that the progress dialog of a long export shows within its first analyses; then the test's
// virtual clock again, moved on as far.
class HurriedClock : public plat::Clock {
public:
    explicit HurriedClock(plat::VirtualClock& base) : fBase(base), fUs(base.NowUs()) { plat::InstallClock(this); }
    ~HurriedClock() override
    {
        fBase.SetUs(fUs);
        plat::InstallClock(&fBase);
    }
    HurriedClock(const HurriedClock&) = delete;
    HurriedClock& operator=(const HurriedClock&) = delete;
    uint64_t NowMs() const override { return NowUs() / 1000; }
    uint64_t NowUs() const override { return fUs += kStepUs; }
    void SleepUs(uint64_t us) override { fUs += us; }

private:
    static constexpr uint64_t kStepUs = 400000;
    plat::VirtualClock& fBase;
    mutable std::atomic<uint64_t> fUs;
};

std::string Text(const LByteBuffer& bytes, const CMemStream& out)
{
    return std::string(reinterpret_cast<const char*>(bytes.Data()), size_t(out.position));
}

} // namespace

TEST_F(SpecWindowCsv, ExportsOneRowPerAnalysisWithItsEvents)
{
    Options(2.0f, false, true);
    const std::string text = Export("take.tks", std::string(kHeader) + kConstant + "tx hello, \"world\"\r" + kWave + "\r");
    EXPECT_EQ(text, std::string(kHead) + "\n"
                    "take.tks,4,4,0.5,1,linear,FFT,\n"
                    "\n"
                    "scale,,1 ,,\n"
                    "time[s],event,0,1,\n"
                    "0,,0.25,0,\n"
                    "1,\"hello, \"\"world\"\"\",0,0.125,\n");
    EXPECT_FLOAT_EQ(View()->GetFloat(kWndsSpti), 1.0f) << "rows follow the analyses: 4 samples at 4 per second";
}

TEST_F(SpecWindowCsv, ARateChangeIsNotedAndTheEndOfTheRecordingEndsTheExport)
{
    Options(10.0f, false, false);
    const std::string text = Export("take, \"one\".tks", std::string(kHeader) + kConstant + "sr 8\r" + kConstant + "300\r300\r\r");
    EXPECT_EQ(text, std::string(kHead) + "\n"
                    "\"take, \"\"one\"\".tks\",4,4,0.5,1,linear,FFT,\n"
                    "\n"
                    "scale,1 ,,\n"
                    "time[s],0,1,\n"
                    "0,0.25,0,\n"
                    "Sample Rate,8,\n"
                    "1,0.25,0,\n")
        << "the two samples after the last full analysis make no row";
}

TEST_F(SpecWindowCsv, BandsSummarisedByTheirMaximumOverAnIntervalInDecibels)
{
    Command("CAppCmd_AmpDB");
    ShowBands(1.0f);
    Options(2.0f, true, false, true);
    LObject::SetFloat(View(), nullptr, kWndsSpti, 2.0f, LObject::Merge::No);
    const std::string text = Export("take.tks", std::string(kHeader) + kConstant + kWave + "\r");
    EXPECT_EQ(text, std::string(kHead) + "Bands,\n"
                    "take.tks,4,4,0.5,1,dB,maximum,2,\n"
                    "\n"
                    "scale,1 ,,\n"
                    "time[s],0 1,1 2,\n"
                    "0,-12.041,-18.062,\n")
        << "bands of 1 Hz up to the Nyquist frequency, the larger of two analyses each: 8.686 ln 0.25 and 0.125";
}

TEST_F(SpecWindowCsv, TheExportFollowsWhatTheChannelListShowsNow)
{
    Options(1.0f, false, false);
    const std::string body = std::string(kHeader) + kConstant + "\r";
    ShowBands(1.0f);
    EXPECT_EQ(Export("take.tks", body).rfind(std::string(kHead) + "Bands,\n", 0), 0u) << "bands chosen just now";
    Command("CAppCmd_Spectrum");
    EXPECT_EQ(Export("take.tks", body).rfind(std::string(kHead) + "\n", 0), 0u) << "back to the spectrum";
}

TEST_F(SpecWindowCsv, TheCommandAsksForTheFileAndCancelWritesNothing)
{
    std::ofstream(home.path() + "/take.tks", std::ios::binary) << kHeader << kConstant << "\r";
    window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(home.path() + "/take.tks")));
    ASSERT_EQ(window->MakePlaybackSource(), 0);
    Options(1.0f, false, false);
    std::filesystem::remove_all(home.path() + "/home/Documents");   // not made yet
    plat::PanelTestDriver panels;
    std::string shown;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        shown = panel.Directory();
        panel.ChoosePath(csv);
        return plat::FilePanel::kOK;
    });
    Answer("", false);   // the settings dialog is cancelled
    Command("CAppCmd_SaveSpec");
    EXPECT_EQ(shown, home.path() + "/home") << "the panel opens in the home folder";
    EXPECT_FALSE(std::ifstream(csv).good()) << "cancelled: no file";
    Answer("", true);
    Command("CAppCmd_SaveSpec");
    EXPECT_NE(ReadAll(csv).find("\n0,0.25,0,\n"), std::string::npos);
}

TEST_F(SpecWindowCsv, PlaybackGoesOnAfterTheExportAndThePlayButtonSaysSo)
{
    std::ofstream(home.path() + "/take.tks", std::ios::binary) << kHeader << kConstant << kWave << "\r";
    window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(home.path() + "/take.tks")));
    ASSERT_EQ(window->MakePlaybackSource(), 0);
    window->UsePlaybackSource();
    window->StartPlayback();
    Options(1.0f, false, false);
    plat::PanelTestDriver panels;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        panel.ChoosePath(csv);
        return plat::FilePanel::kOK;
    });
    const auto playShown = [&] {
        return dynamic_cast<plat::Button&>(*window->SourceControls().PlayButton().NativeControl()).State();
    };
    Answer("", true);
    const auto answer = app->onModalStep;
    int shownDuringDialog = -1;
    app->onModalStep = [&](LModalDialog& dialog) {
        shownDuringDialog = playShown();
        answer(dialog);
    };
    Command("CAppCmd_SaveSpec");
    ASSERT_TRUE(std::ifstream(csv).good());
    EXPECT_EQ(shownDuringDialog, 0) << "playback stops for the export, and the button says so";
    EXPECT_TRUE(window->PlaybackSource()->IsPlaying());
    EXPECT_EQ(playShown(), 1) << "the button shows it playing again";
}

// A stopped recording stays stopped where it was after an export that wrote its rows, after one
// that found no row left at the end of the recording, and after one the user stopped before its
// first row; the last two leave the file there byte for byte.
TEST_F(SpecWindowCsv, AnExportLeavesAStoppedRecordingStoppedWhereItWas)
{
    struct Row {
        const char* way;
        float at;        // seconds
        bool summarise;  // one row of ten seconds instead of one of an analysis
        bool stopped;    // the user stops the export at its first progress step
        const char* told;
    };
    const Row rows[] = {
        {"rows written", 3.0f, false, false, nullptr},
        {"at the end", 1.0e9f, false, false, "No spectra file was written"},
        {"stopped before a row", 3.0f, true, true, nullptr},
    };
    std::string body = kHeader;
    for (int i = 0; i < 30; ++i)
        body += kConstant;
    std::ofstream(home.path() + "/take.tks", std::ios::binary) << body << "\r";
    window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(home.path() + "/take.tks")));
    plat::PanelTestDriver panels;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        panel.ChoosePath(csv);
        return plat::FilePanel::kOK;
    });
    const std::string old("old,\0contents\n", 14);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.way);
        Options(row.summarise ? 10.0f : 1.0f, row.summarise, false);
        LObject::SetFloat(View(), nullptr, kWndsSpti, 10.0f, LObject::Merge::No);
        std::ofstream(csv, std::ios::binary) << old;
        ASSERT_EQ(window->MakePlaybackSource(), 0);
        window->UsePlaybackSource();
        CSampleSrc& recording = *window->PlaybackSource();
        recording.SeekSeconds(false, row.at);
        const float at = recording.PositionSeconds();
        std::vector<std::string> messages;
        ReturnToEveryDialog(messages);
        {
            std::optional<HurriedClock> hurried;
            if (row.stopped)
                hurried.emplace(clock.clock());
            Command("CAppCmd_SaveSpec");
        }
        EXPECT_FALSE(recording.IsPlaying());
        EXPECT_EQ(dynamic_cast<plat::Button&>(*window->SourceControls().PlayButton().NativeControl()).State(), 0);
        EXPECT_EQ(recording.PositionSeconds(), at);
        const std::string text = ReadAll(csv);
        EXPECT_EQ(text == old, row.told || row.stopped) << text;
        EXPECT_EQ(messages.size(), row.told ? 1u : 0u);
        if (row.told && !messages.empty()) {
            EXPECT_EQ(messages[0].rfind(row.told, 0), 0u) << messages[0];
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(home.path()))
        EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << "no temporary file is left";
}

// Too little of the recording left for one row: no file is written, one already there stays
// byte for byte, and the user is told why.
TEST_F(SpecWindowCsv, AnExportWithoutOneWholeRowLeftKeepsTheOldFileAndSaysSo)
{
    struct Row {
        const char* body;
        bool summarise;
        bool told;
    };
    const Row rows[] = {
        {"300\r300\r300\r\r", false, true},            // three samples for a 4-point analysis
        {"300\r300\r300\r300\r300\r\r", true, true},   // one analysis, not the 2 s a row summarises
        {"300\r300\r300\r300\r\r", false, false},      // exactly one analysis: one row
    };
    const std::string old("old,\0contents\n", 14);
    for (const Row& row : rows) {
        Options(10.0f, row.summarise, false);
        LObject::SetFloat(View(), nullptr, kWndsSpti, 2.0f, LObject::Merge::No);
        std::vector<std::string> messages;
        ReturnToEveryDialog(messages);
        std::ofstream(csv, std::ios::binary) << old;
        window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(home.path() + "/take.tks")));
        std::ofstream(home.path() + "/take.tks", std::ios::binary) << kHeader << row.body;
        ASSERT_EQ(window->MakePlaybackSource(), 0);
        window->SaveSpectrumCsv(csv);
        const std::string text = ReadAll(csv);
        if (row.told)
            EXPECT_EQ(text, old) << row.body;
        else
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6) << row.body;
        ASSERT_EQ(messages.size(), row.told ? 1u : 0u) << row.body;
        if (row.told) {
            EXPECT_EQ(messages[0].rfind("No spectra file was written", 0), 0u) << messages[0];
        }
    }
}

// A file-size limit cuts the export short in a child: the old file stays, no temporary file.
TEST_F(SpecWindowCsv, AnExportThatCannotBeWrittenLeavesTheOldFile)
{
    Options(60.0f, false, false);
    std::string body = kHeader;
    for (int i = 0; i < 50; ++i)
        body += kConstant;
    std::ofstream(csv, std::ios::binary) << "old contents";
    std::ofstream(home.path() + "/take.tks", std::ios::binary) << body << "\r";
    window->RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(home.path() + "/take.tks")));
    ASSERT_EQ(window->MakePlaybackSource(), 0);
    std::vector<std::string> messages;
    ReturnToEveryDialog(messages);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{256, 256};   // the header and a few rows of 50
        setrlimit(RLIMIT_FSIZE, &limit);
        window->SaveSpectrumCsv(csv);
        _exit(messages == std::vector<std::string>{"The spectra could not be written.\n" + csv} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the user is told";
    EXPECT_EQ(ReadAll(csv), "old contents");
    for (const auto& entry : std::filesystem::directory_iterator(home.path()))
        EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << "no temporary file is left";
}

TEST_F(SpecWindowCsv, ARateOfZeroDividesNothing)
{
    ShowBands(1.0f);
    Options(5.0f, false, false);
    RatelessSource source(window.get());
    source.rate = 0;
    for (int i = 0; i < 12; ++i)
        source.steps.push_back({{0.25f}, {}});
    LByteBuffer bytes;
    CMemStream out(bytes);
    ExportRecordCsv(*window, CSourcePosition{}, source, 0.0f, out);
    const std::string text = Text(bytes, out);
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    EXPECT_NE(text.find(",4,0,0.5,1,linear,FFT,0,\n"), std::string::npos) << "no bands below a Nyquist frequency of 0";
    EXPECT_NE(text.find("\n0,\n"), std::string::npos) << "one row; a position that does not move ends the export";
}

TEST_F(SpecWindowCsv, TheProgressDialogStopsALongExport)
{
    Options(100.0f, false, false);
    SlowSource source(window.get(), clock);
    for (int i = 0; i < 400; ++i)
        source.steps.push_back({{0.25f}, {}});
    LByteBuffer bytes;
    CMemStream out(bytes);
    Answer("", true);   // the user presses the dialog's button once it shows
    ExportRecordCsv(*window, CSourcePosition{}, source, 4.0f, out);
    const std::string text = Text(bytes, out);
    const size_t rows = size_t(std::count(text.begin(), text.end(), '\n')) - 5;
    EXPECT_GE(app->modalSteps, 1) << "the dialog shows once a second has passed";
    EXPECT_LE(rows, 2u) << "the export ends when the user stops it, not after 100 rows";
    EXPECT_EQ(text.rfind(kHead, 0), 0u) << "what was written before stays";
}
