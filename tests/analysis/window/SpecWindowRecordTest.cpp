#include "analysis/window/CSourceControls.h"
#include "platform/controls/Button.h"
#include "platform/files/FileSpecText.h"
#include "platform/system/WallClock.h"
#include "platform/window/PanelTestDriver.h"
#include "sources/text/CTextFileSrc.h"
#include "tests/analysis/window/LiveWindowKit.h"
#include "tests/foundation/TempFiles.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

using namespace std::chrono_literals;

namespace {

constexpr double kInstant = 1772597167.9;   // 2026-03-04 05:06:07.9 at one hour east of GMT
constexpr int64_t kOneHourEast = 3600;
constexpr uint32_t kFrames = 300;
constexpr uint32_t kFirstRaw = 0x258;

int ButtonState(CStateButton& button)
{
    return dynamic_cast<plat::Button&>(*button.NativeControl()).State();
}

class SpecWindowRecord : public LiveWindowTest {
protected:
    SpecWindowRecord() : fInstalled(fFixed) {}

    // A window on the serial device at 100 samples per second, with 128-point analyses.
    CSpecWindow& OpenDevice()
    {
        EXPECT_TRUE(device.Plug(porttest::SerialLinkFor("device")));
        CSpecWindow& w = MakeLive();
        Command("CAppCmd_FFTSize", "128");
        Script({Choose("device")});
        w.SelectSource();
        EXPECT_NE(w.LiveSource(), nullptr);
        EXPECT_TRUE(device.Write("sr 100\n"));
        EXPECT_TRUE(RunUntil([&] { return w.LiveSource() && w.LiveSource()->SampleRate() == 100; }));
        return w;
    }
    // The device sends lines of raw values from kFirstRaw up; the window receives them.
    std::string SendRamp(uint32_t count)
    {
        std::ostringstream lines;
        for (uint32_t i = 0; i < count; ++i)
            lines << std::hex << kFirstRaw + i << "\n";
        const uint32_t before = Written();
        EXPECT_TRUE(device.Write(lines.str() + "\n"));
        EXPECT_TRUE(RunUntil([&] { return WrittenSince(before) >= count; }));
        return lines.str();
    }
    static std::vector<float> Ramp(uint32_t from, uint32_t count)
    {
        std::vector<float> values;
        for (uint32_t i = from; i < from + count; ++i)
            values.push_back(float(kFirstRaw + i) / 1024.0f - 0.5f);
        return values;
    }
    std::string RecordPath() const
    {
        return plat::PosixPathFromSpec(window->RecordLocation().GetPath().View());
    }
    std::string RecordFolder() const { return home.path() + "/home/Documents/Sonalyx Record/"; }
    void MoveSlider(int32_t value)
    {
        CSlider& slider = window->SourceControls().Slider();
        slider.SetValue(value);
        LMessage::Send(LMessage(CSlider::msgChange, &slider, static_cast<LHandler*>(window.get())));
        LMessage::Send(LMessage(LStdCtl::msgSelected, &slider, static_cast<LHandler*>(window.get())));
    }

    porttest::SocatDevice device;

private:
    plat::FixedWallClock fFixed{kInstant, kOneHourEast};
    plat::ScopedWallClock fInstalled;
};

} // namespace

TEST_F(SpecWindowRecord, ARecordingPlaysBackTheSameSamplesAndSeeksWithZerosPastTheEnd)
{
    CSpecWindow& w = OpenDevice();
    Command("CAppCmd_Log");
    ASSERT_TRUE(w.LiveSource()->IsRecording());
    EXPECT_EQ(record->GetByte(kWindRecording), 1);
    EXPECT_EQ(ButtonState(w.SourceControls().RecordButton()), 1);
    EXPECT_EQ(RecordPath(), RecordFolder() + "device 2026_03_04 05_06_07.tks");
    ASSERT_NE(w.PlaybackSource(), nullptr) << "the file being recorded can be played";
    EXPECT_EQ(w.CurrentSource(), w.LiveSource());

    const std::string sent = SendRamp(kFrames);
    Command("CAppCmd_Log");
    EXPECT_FALSE(w.LiveSource()->IsRecording());
    EXPECT_EQ(record->GetByte(kWindRecording), 0);
    const std::string file = ReadAll(RecordPath());
    EXPECT_EQ(file.substr(0, 20), "dn \rfr 0.3333\rsr 100") << "the header names type, ratio and rate";
    EXPECT_NE(file.find(sent), std::string::npos) << "the lines as the device sent them";

    const uint32_t before = Written();
    LMessage::Send(LMessage(LStdCtl::msgSelected, &w.SourceControls().PlayButton(), static_cast<LHandler*>(&w)));
    EXPECT_EQ(w.CurrentSource(), w.PlaybackSource());
    ASSERT_TRUE(RunUntil([&] { return WrittenSince(before) >= kFrames; }, 10s, 10));
    EXPECT_EQ(Newest(0, kFrames), Ramp(0, kFrames)) << "the same samples in the same order";
    // The duration is counted on a thread of its own, which sees the finished file's growth
    // within a second; the slider takes its range from it.
    ASSERT_TRUE(RunUntil([&] { return w.SourceControls().Slider().GetMax() == 3; }, 10s, 1));
    EXPECT_FLOAT_EQ(w.PlaybackSource()->DurationSeconds(), 3.0f);

    MoveSlider(1);   // the slider spans the three seconds
    EXPECT_FALSE(w.PlaybackSource()->IsPlaying()) << "moving the slider stops playback";
    EXPECT_EQ(Newest(0, 128), Ramp(100, 128));
    MoveSlider(2);
    std::vector<float> tail = Ramp(200, 100);
    tail.resize(128, 0.0f);
    EXPECT_EQ(Newest(0, 128), tail) << "frames past the end are zeros";
}

TEST_F(SpecWindowRecord, TwoRecordingsInOneSecondGetTwoFiles)
{
    CSpecWindow& w = OpenDevice();
    std::filesystem::remove_all(home.path() + "/home/Documents");   // the first recording makes it
    Command("CAppCmd_Log");
    const std::string first = RecordPath();
    Command("CAppCmd_Log");
    Command("CAppCmd_Log");
    const std::string second = RecordPath();
    EXPECT_EQ(first, RecordFolder() + "device 2026_03_04 05_06_07.tks");
    EXPECT_EQ(second, RecordFolder() + "device 2026_03_04 05_06_072.tks") << "numbered, as other files are";
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_TRUE(w.LiveSource()->IsRecording());
}

TEST_F(SpecWindowRecord, ARecordFolderThatCannotBeMadeIsReportedAndTheSourceRunsOn)
{
    CSpecWindow& w = OpenDevice();
    std::filesystem::remove_all(home.path() + "/home/Documents");
    std::ofstream(home.path() + "/home/Documents") << "a file in the way";
    Script({Ok()});
    Command("CAppCmd_Log");
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_EQ(seenDialogs[0].rfind("message: The recording could not be written.\n", 0), 0u) << seenDialogs[0];
    EXPECT_FALSE(w.LiveSource()->IsRecording());
    EXPECT_EQ(record->GetByte(kWindRecording), 0);
    SendRamp(2);
}

TEST_F(SpecWindowRecord, AFileSizeLimitStopsTheRecordingAndKeepsWhatWasWritten)
{
    CSpecWindow& w = OpenDevice();
    Command("CAppCmd_Log");
    ASSERT_TRUE(w.LiveSource()->IsRecording());
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{2000, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Script({Ok()});
    SendRamp(1500);   // 6000 bytes: the first chunk written reaches the limit
    const bool told = RunUntil([&] { return !seenDialogs.empty(); }, 30s);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    ASSERT_TRUE(told);
    EXPECT_EQ(seenDialogs[0], "message: The recording could not be written.\n" + RecordPath());
    EXPECT_EQ(record->GetByte(kWindRecording), 0);
    EXPECT_EQ(ButtonState(w.SourceControls().RecordButton()), 0);

    // What reached the file plays as a recording up to its last whole line.
    EXPECT_LE(std::filesystem::file_size(RecordPath()), 2000u);
    StepQueue quiet;
    CTextFileSrc reader(nullptr, &quiet);
    ASSERT_EQ(reader.Open(RecordPath().c_str()), 0);
    float frame[4];
    uint32_t frames = 0;
    for (int32_t got; (got = reader.ReadNext(frame, 4)) != 0;) {
        if (got > 0) {
            ASSERT_EQ(frame[0], Ramp(frames++, 1)[0]);
        }
    }
    EXPECT_GT(frames, 300u);
    SendRamp(2);   // the source runs on
}

TEST_F(SpecWindowRecord, ATruncatedRecordingEndsAtItsLastWholeFrame)
{
    CSpecWindow& w = MakeLive();
    Command("CAppCmd_FFTSize", "4");
    const std::string path = home.path() + "/cut.tks";
    std::ofstream(path, std::ios::binary) << "dn \rsr 10\r258\r259\r25";
    w.RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(path)));
    ASSERT_EQ(w.MakePlaybackSource(), 0);
    w.UsePlaybackSource();
    w.UpdateStatus();   // the window learns the recording's rate, as its first note does
    MoveSlider(0);
    EXPECT_EQ(Newest(0, 4), (std::vector<float>{Ramp(0, 2)[0], Ramp(1, 1)[0], 0.0f, 0.0f}));

    // A WAV file cut inside its last frame, its sizes still those of the whole file.
    const std::string wav = TempSoundPath("cut.wav");
    ASSERT_TRUE(RunSox("-n -r 1000 -c 2 -b 16 " + wav + " synth 0.01 sine 100"));
    std::filesystem::resize_file(wav, std::filesystem::file_size(wav) - 3);
    w.RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(wav)));
    ASSERT_EQ(w.MakePlaybackSource(), 0);
    uint32_t frames = 0;
    float frame[4];
    while (w.PlaybackSource()->ReadNext(frame, 4) > 0 && frames < 100)
        ++frames;
    EXPECT_EQ(frames, 9u) << "ten frames made, the last one cut";
}

TEST_F(SpecWindowRecord, OpeningARecordingPlaysItAndAnUnreadableOneIsReported)
{
    CSpecWindow& w = MakeLive();
    const std::string take = home.path() + "/old.tks";
    const std::string junk = home.path() + "/junk.wav";
    std::ofstream(take, std::ios::binary) << "dn \rsr 10\r258\r259\r\r";
    std::ofstream(junk, std::ios::binary) << "not a sound";
    plat::PanelTestDriver panels;
    std::string chosen = take;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        panel.ChoosePath(chosen);
        return plat::FilePanel::kOK;
    });
    Command("CAppCmd_LoadLog");
    ASSERT_NE(w.PlaybackSource(), nullptr);
    EXPECT_TRUE(w.PlaybackSource()->IsPlaying());
    EXPECT_EQ(w.CurrentSource(), w.PlaybackSource());
    EXPECT_EQ(RecordPath(), take);

    chosen = junk;
    Script({Ok()});
    Command("CAppCmd_LoadLog");
    // The recording playing before plays on and stays the one remembered.
    ASSERT_NE(w.PlaybackSource(), nullptr);
    EXPECT_TRUE(w.PlaybackSource()->IsPlaying());
    EXPECT_EQ(RecordPath(), take);
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_EQ(seenDialogs[0], "message: The source could not be opened.\n" + junk);
}
