#include "sources/audio/CSoundFileSrc.h"
#include "sources/audio/CSoundFilePlayer.h"
#include "sources/audio/CSoundInSrc.h"
#include "sources/audio/CWavFileReader.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "platform/audio/ManualAudioDriver.h"
#include "tests/foundation/TempFiles.h"
#include "tests/sources/SoundTestSupport.h"
#include "tests/sources/SourceTestLoop.h"
#include "tests/sources/LockedStepQueue.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

class SoundInTest : public testing::Test {
protected:
    void SetUp() override
    {
        source = std::make_unique<CSoundInSrc>(&window, &queue);
        window.source = source.get();
        ASSERT_EQ(source->Open(), 0);
    }
    void TearDown() override
    {
        source.reset();
    }
    // Runs the input for ms milliseconds in 10 ms steps, letting the window read everything.
    void Run(uint32_t ms)
    {
        for (uint32_t t = 0; t < ms; t += 10) {
            driver.AdvanceMs(10);
            expected += 441;
            ASSERT_TRUE(WaitFor([&] {
                queue.DeliverSignals();
                window.Pull();
                return window.frames.size() >= expected;
            }));
        }
    }
    plat::ManualAudioDriver driver;
    LockedStepQueue queue;
    PullingWindow window;
    std::unique_ptr<CSoundInSrc> source;
    size_t expected = 0;
};

TEST_F(SoundInTest, ReportsItselfAndDeliversBothChannelsScaled)
{
    EXPECT_TRUE(source->IsAudioInput() && source->CanRecord());
    EXPECT_EQ(std::make_tuple(source->SampleRate(), source->FcRatio(), source->Baseline()), std::make_tuple(44100u, 0.5f, -1.0f));
    EXPECT_EQ(std::string(source->RecordExtension()) + " " + source->TypeName().Text(), "wav generic_sound");
    Run(100);
    EXPECT_EQ(window.frames.size(), 4410u);
    float peak = 0;
    for (const auto& frame : window.frames) {
        ASSERT_EQ(frame, (std::vector<float>{frame[0], frame[0]}));
        peak = std::max(peak, frame[0]);
    }
    EXPECT_NEAR(peak, 0.5f, 0.001f);
    window.maxValues = 1;
    window.frames.clear();
    expected = 0;
    Run(10);
    EXPECT_EQ(window.frames.back().size(), 1u); // only channel 0 was asked for
}

TEST_F(SoundInTest, RecordingHasOpenSizesWhileRunningAndExactFieldsAfter)
{
    const std::string path = TempSoundPath("rec.wav");
    ASSERT_EQ(source->StartRecording(path.c_str(), -1.0f), 0);
    EXPECT_TRUE(source->IsRecording());
    Run(500);
    EXPECT_FLOAT_EQ(source->PositionSeconds(), 0.5f);
    const std::string open = ReadAll(path);
    ASSERT_GE(open.size(), 46u);
    EXPECT_EQ(open.substr(4, 4), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(open.substr(42, 4), "\xFF\xFF\xFF\xFF");
    source->StopRecording();
    EXPECT_FALSE(source->IsRecording());
    const std::string done = ReadAll(path);
    ASSERT_EQ(done.size(), 88246u);
    const std::string header("RIFF\xAE\x58\x01\x00WAVEfmt \x12\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0\0\0data\x88\x58\x01\0",
        46);
    EXPECT_EQ(done.substr(0, 46), header);
    EXPECT_EQ(RunSoxi("-s", path) + " " + RunSoxi("-c", path), "22050 2");
    EXPECT_EQ(RunPython("import wave,sys; w=wave.open(sys.argv[1]); print(w.getframerate(), w.getnframes())", path),
        "44100 22050");
}

TEST_F(SoundInTest, TimeLimitStoresExactlyItsFramesWhileReadingGoesOn)
{
    const std::string path = TempSoundPath("limit.wav");
    ASSERT_EQ(source->StartRecording(path.c_str(), 5.0f), 0);
    Run(6000);
    EXPECT_EQ(window.frames.size(), 6u * 44100u);
    source->StopRecording();
    EXPECT_EQ(RunPython("import wave,sys; print(wave.open(sys.argv[1]).getnframes())", path), "220500");
    EXPECT_EQ(ReadAll(path).size(), 46u + 220500u * 4u);
}

TEST_F(SoundInTest, RecordingInProgressIsReadByTheProgramsOwnReader)
{
    const std::string path = TempSoundPath("live.wav");
    ASSERT_EQ(source->StartRecording(path.c_str(), -1.0f), 0);
    Run(1500);   // 264600 bytes: two 128 KiB blocks go to the file, the rest waits in the ring
    ASSERT_TRUE(WaitFor([&] {
        queue.DeliverSignals();
        return ReadAll(path).size() == 46u + 2 * 131072u;
    }));
    PullingWindow other;
    CSoundFileSrc reader(&other, &queue);
    other.source = &reader;
    ASSERT_EQ(reader.Open(path.c_str()), 0);
    EXPECT_TRUE(reader.UsesWavReader());
    EXPECT_EQ(reader.SampleRate(), 44100u);
    const uint64_t onDisk = (ReadAll(path).size() - 46) / 4;
    auto* wav = static_cast<CWavFileReader*>(reader.Player());
    EXPECT_EQ(wav->FrameCount(), onDisk);
    float frame[2];
    uint64_t frames = 0;
    while (reader.ReadNext(frame, 2) == 2) {
        ASSERT_EQ(frame[0], frame[1]);
        ++frames;
    }
    EXPECT_EQ(frames, onDisk);

    // Played, the reader goes on past what the file held at opening as the recording grows.
    reader.SeekSeconds(false, 0.0f);
    reader.Play();
    EXPECT_TRUE(WaitFor([&] {
        driver.AdvanceMs(10);
        queue.AdvanceMs(10);
        queue.DeliverSignals();
        window.Pull();
        return other.frames.size() > onDisk;
    }));
    reader.Stop();
    EXPECT_GT(other.frames.size(), onDisk);
    for (const auto& frame : other.frames)
        ASSERT_EQ(frame, (std::vector<float>{frame[0], frame[0]}));

    // Its length is what the file holds now, while it grows and once the recording ends.
    source->StopRecording();
    const uint64_t recorded = (ReadAll(path).size() - 46) / 4;
    ASSERT_GT(recorded, onDisk);
    EXPECT_FLOAT_EQ(reader.DurationSeconds(), float(recorded) / 44100.0f);
    reader.SeekSeconds(false, 1e9f);
    EXPECT_EQ(wav->PositionFrames(), recorded) << "a seek reaches the frames written after opening";

    // Complete now, it plays to its end, and the active source starts again from the top a
    // second later; so does a start at the end.
    reader.SetActive(true);
    for (const uint64_t from : {recorded - 4410, recorded}) {
        reader.SeekSeconds(false, float(from) / 44100.0f);
        reader.Play();
        ASSERT_TRUE(WaitFor([&] {
            driver.AdvanceMs(10);
            queue.DeliverSignals();
            RunMainLoop();
            return wav->PositionFrames() == recorded && FireDueTimers(1001) > 0;
        })) << "no end after frame " << from;
        EXPECT_FALSE(wav->Growing());
        EXPECT_TRUE(reader.IsPlaying());
        EXPECT_LT(reader.PositionSeconds(), 0.1f);
    }
    reader.Stop();
}

class SoundFileSrcTest : public testing::Test {
protected:
    void SetUp() override
    {
        path = TempSoundPath("a.wav");
        ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 16 " + path + " synth 1 sine 1000"));
        window.source = &source;
    }
    plat::ManualAudioDriver driver;
    LockedStepQueue queue;
    PullingWindow window;
    CSoundFileSrc source{&window, &queue};
    std::string path;
};

TEST_F(SoundFileSrcTest, ReportsTheFileAndReadsEveryFrameUnpaced)
{
    ASSERT_EQ(source.Open(path.c_str()), 0);
    EXPECT_EQ(source.Open(path.c_str()), 1);
    EXPECT_FALSE(source.UsesWavReader());
    EXPECT_EQ(source.SampleRate(), 8000u);
    EXPECT_FLOAT_EQ(source.DurationSeconds(), 1.0f);
    EXPECT_STREQ(source.TypeName().Text(), "generic_sound");
    float frame[2];
    int frames = 0;
    float first = -1;
    while (source.ReadNext(frame, 2) == 2) {
        if (frames++ == 0)
            first = frame[0];
    }
    EXPECT_EQ(frames, 8000);
    EXPECT_EQ(first, 0.0f);
    CSourcePosition position;
    source.GetPositionFrames(position);
    EXPECT_EQ(position.offset, 8000u);
    position.offset = 4000;
    source.SeekFrames(position);
    EXPECT_FLOAT_EQ(source.PositionSeconds(), 0.5f);
    source.Close();
    EXPECT_EQ(source.SampleRate(), 1u);
}

TEST_F(SoundFileSrcTest, ReleasesFramesIn25MsBlocksAndLoopsAfterTheEnd)
{
    ASSERT_EQ(source.Open(path.c_str()), 0);
    source.SetActive(true);
    source.Play();
    auto* player = static_cast<CSoundFilePlayer*>(source.Player());
    ASSERT_TRUE(WaitFor([&] { return player->BufferedBytes() == 32000; }));
    driver.AdvanceMs(10);   // 80 frames played
    queue.DeliverSignals();
    EXPECT_EQ(window.frames.size(), 80u);   // allowance = 200 + frames already there
    driver.AdvanceMs(100);  // 800 more in the source's ring
    queue.DeliverSignals();
    EXPECT_EQ(window.frames.size(), 880u);   // the frames in the ring were allowed at once
    queue.AdvanceMs(25);   // a block's allowance, but nothing new to read
    window.Pull();
    EXPECT_EQ(window.frames.size(), 880u);

    driver.AdvanceMs(1200);   // past the end
    RunMainLoop();
    EXPECT_TRUE(source.IsPlaying());
    EXPECT_TRUE(source.Player()->Format().rate == 8000);
    // One second after the end the main-thread timer seeks to the top and plays again.
    FireDueTimers(1001);
    EXPECT_TRUE(source.IsPlaying());
    EXPECT_LT(source.PositionSeconds(), 0.1f);
    ASSERT_TRUE(WaitFor([&] { return player->BufferedBytes() == 32000; }));
    driver.AdvanceMs(100);
    EXPECT_NEAR(source.PositionSeconds(), 0.1f, 0.001f);
    source.Stop();
}

TEST_F(SoundFileSrcTest, CompleteWavHeaderGoesToTheGeneralPlayerAndJunkFailsToOpen)
{
    ASSERT_EQ(source.Open(path.c_str()), 0);
    EXPECT_FALSE(source.UsesWavReader());
    source.Close();
    const std::string junk = TempSoundPath("junk.wav");
    WriteAll(junk, "RIFF\xFF\xFF\xFF\xFFWAVEjunk");
    EXPECT_EQ(source.Open(junk.c_str()), 1);
    EXPECT_EQ(source.Open(TempSoundPath("none.wav").c_str()), 1);
    EXPECT_EQ(source.Open(nullptr), 1);
}

} // namespace
