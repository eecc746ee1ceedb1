#include "outputs/CSoundOut.h"
#include "outputs/CSoundPlayer.h"
#include "platform/audio/ManualAudioDriver.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Feeder {
    std::vector<uint8_t> data = std::vector<uint8_t>(4096, 0x11);
    uint32_t give = 0;   // bytes handed over per slice
    uint32_t lastCut = 0;
    int calls = 0;

    static bool Fill(void* context, CSoundOut* player, CSoundOut::Request& request, uint32_t byteCount)
    {
        auto* self = static_cast<Feeder*>(context);
        ++self->calls;
        EXPECT_EQ(byteCount, request.frameCount * player->BytesPerFrame());
        uint32_t count = self->give;
        player->Provide(request, self->data.data(), count);
        self->lastCut = count;
        return count > 0;
    }
};

TEST(CSoundOut, UnknownDeviceFallsBackToTheDefaultAndShortBlocksAreCut)
{
    plat::ManualAudioDriver driver;
    CSoundOut out;
    Feeder feeder;
    feeder.give = 6;   // a frame and a half of 4-byte frames
    out.SetFill(&feeder, Feeder::Fill);
    ASSERT_EQ(out.Open("no such device", CSampleFormat(8000, 2, 16, 1, 0)), 0);
    EXPECT_EQ(out.Open("", CSampleFormat()), 1);   // already open
    EXPECT_EQ(out.SampleRate(), 8000u);
    EXPECT_EQ(out.BufferFrames(), 512u);
    out.Start();
    driver.AdvanceMs(100);   // 800 frames asked for in slices
    EXPECT_EQ(feeder.lastCut, 4u);
    EXPECT_GT(feeder.calls, 0);
    EXPECT_EQ(driver.FramesPlayed(), uint64_t(feeder.calls));
    const std::vector<uint8_t> played = driver.TakePlayedBytes();
    EXPECT_EQ(played.size(), size_t(feeder.calls) * 4);

    feeder.give = 0;   // nothing to give: silence, nothing played
    driver.AdvanceMs(100);
    EXPECT_TRUE(driver.TakePlayedBytes().empty());
    out.Stop();
    out.Close();
    EXPECT_FALSE(out.IsOpen());
}

class CSoundPlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        path = TempSoundPath("snd.wav");
        ASSERT_TRUE(RunSox("-r 8000 -c 1 -n -b 16 " + path + " synth 0.5 sine 300"));
    }
    plat::ManualAudioDriver driver;
    std::string path;
};

TEST_F(CSoundPlayerTest, DoubleRateConsumesTwiceTheFramesPerSecond)
{
    CSoundPlayer player;
    ASSERT_TRUE(player.Load(path));
    player.SetLoop(true);
    player.SetRate(1.0f);
    player.Play();
    driver.AdvanceMs(200);
    const uint64_t a = player.FramesPlayed();
    driver.AdvanceMs(1000);
    const uint64_t atOne = player.FramesPlayed() - a;
    player.SetRate(2.0f);
    driver.AdvanceMs(200);
    const uint64_t b = player.FramesPlayed();
    driver.AdvanceMs(1000);
    const uint64_t atTwo = player.FramesPlayed() - b;
    EXPECT_NEAR(double(atOne), 8000.0, 200.0);
    EXPECT_NEAR(double(atTwo), 16000.0, 300.0);
}

TEST_F(CSoundPlayerTest, PlayWhilePlayingChangesNothingAndWithoutLoopItStops)
{
    CSoundPlayer player;
    ASSERT_TRUE(player.Load(path));
    player.Play();
    driver.AdvanceMs(300);
    const uint64_t before = player.FramesPlayed();
    player.Play();   // already playing: not restarted
    EXPECT_EQ(player.FramesPlayed(), before);
    driver.AdvanceMs(1000);
    EXPECT_EQ(player.FramesPlayed(), 4000u);   // the whole file once, then silence
    EXPECT_TRUE(player.IsPlaying());

    CSoundPlayer empty;
    EXPECT_FALSE(empty.Load(TempSoundPath("missing.wav")));
    empty.Play();
    EXPECT_TRUE(empty.IsPlaying());
    empty.Stop();
    EXPECT_FALSE(empty.IsPlaying());
}

} // namespace
