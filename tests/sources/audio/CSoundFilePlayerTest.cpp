#include "sources/audio/CSoundFilePlayer.h"
#include "platform/audio/ManualAudioDriver.h"
#include "tests/sources/SoundTestSupport.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Listener {
    std::vector<uint8_t> tapped;
    int ends = 0;
    static void Tap(void* context, const uint8_t* bytes, uint32_t count)
    {
        auto* self = static_cast<Listener*>(context);
        self->tapped.insert(self->tapped.end(), bytes, bytes + count);
    }
    static void End(void* context, int flag)
    {
        EXPECT_EQ(flag, 0);
        ++static_cast<Listener*>(context)->ends;
    }
};

class CSoundFilePlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        path = TempSoundPath("a.wav");
        ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 16 " + path + " synth 1 sine 1000"));
        ASSERT_EQ(RunSoxi("-s", path), "8000");
        player.SetTap(&listener, Listener::Tap);
        player.SetEndNotice(&listener, Listener::End);
    }
    plat::ManualAudioDriver driver;
    Listener listener;
    CSoundFilePlayer player;
    std::string path;
};

TEST_F(CSoundFilePlayerTest, PlaysToTheEndAndTellsTheOwnerOnce)
{
    ASSERT_EQ(player.Open(path), 0);
    EXPECT_EQ(player.Open(path), 1);   // already open
    EXPECT_EQ(player.SampleRate(), 8000u);
    EXPECT_EQ(player.FrameCount(), 8000u);
    EXPECT_FLOAT_EQ(player.DurationSeconds(), 1.0f);
    player.Start();
    ASSERT_TRUE(WaitFor([&] { return player.BufferedBytes() == 32000; }));
    driver.AdvanceMs(1500);
    RunMainLoop();
    EXPECT_EQ(listener.tapped.size(), 32000u);
    EXPECT_EQ(driver.FramesPlayed(), 8000u);
    EXPECT_EQ(player.PositionFrames(), 8000u);
    EXPECT_FLOAT_EQ(player.PositionSeconds(), 1.0f);
    driver.AdvanceMs(500);
    RunMainLoop();
    EXPECT_EQ(listener.ends, 1);
    player.Stop();
    player.Start();   // at the end: told once more
    driver.AdvanceMs(100);
    RunMainLoop();
    EXPECT_EQ(listener.ends, 2);
    // Mono plays on both channels, and the first sample of a sine is 0.
    EXPECT_EQ(listener.tapped[0] | listener.tapped[1], 0);
    EXPECT_EQ(listener.tapped[4], listener.tapped[6]);
    EXPECT_EQ(listener.tapped[5], listener.tapped[7]);
}

TEST_F(CSoundFilePlayerTest, SeeksClampAndOddTimesCountAsZero)
{
    ASSERT_EQ(player.Open(path), 0);
    const std::pair<float, uint64_t> seeks[] = {{3.4028235e38f, 8000}, {std::numeric_limits<float>::quiet_NaN(), 0},
                                                {0.5f, 4000}, {-2.0f, 0}, {std::numeric_limits<float>::infinity(), 8000}};
    for (const auto& [seconds, frames] : seeks) {
        player.SeekSeconds(seconds);
        EXPECT_EQ(player.PositionFrames(), frames) << seconds;
    }

    player.SeekFrames(7998);
    int frames = 0;
    auto count = [](void* consumer, const uint8_t*, uint32_t n) {
        EXPECT_EQ(n, 4u);
        ++*static_cast<int*>(consumer);
    };
    EXPECT_TRUE(player.ReadFrame(&frames, count));
    EXPECT_TRUE(player.ReadFrame(&frames, count));
    EXPECT_FALSE(player.ReadFrame(&frames, count));
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(player.PositionFrames(), 8000u);
}

// Seeking and closing while the reader and the output run must hand the file over cleanly
// (the sanitizer build watches for races and use after free).
TEST_F(CSoundFilePlayerTest, SeekAndCloseWhilePlaying)
{
    ASSERT_EQ(player.Open(path), 0);
    for (int i = 0; i < 20; ++i) {
        player.Start();
        driver.AdvanceMs(7);
        player.SeekSeconds(0.25f * float(i % 4));
        EXPECT_EQ(player.BufferedBytes(), 0u);
    }
    player.Start();
    driver.AdvanceMs(3);
    player.Close();
    EXPECT_FLOAT_EQ(player.PositionSeconds(), 0.0f);
    EXPECT_EQ(player.Open(TempSoundPath("missing.wav")), 1);
    EXPECT_EQ(player.Open(path), 0);
}

} // namespace
