#include "platform/soundfile/RateConverter.h"
#include "platform/soundfile/SoundFile.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

using plat::SoundFile;

// sox writes constant levels (a zero-frequency sine shifted by a dc offset), easy to check.
TEST(SoundFile, ReadsEveryCommonPcmWidthAsSixteenBitStereo)
{
    struct Case {
        const char* encoding;
        int bits;
    };
    for (const Case c : {Case{"unsigned-integer", 8}, Case{"signed-integer", 16}, Case{"signed-integer", 24},
             Case{"signed-integer", 32}}) {
        const std::string path = TempSoundPath("dc" + std::to_string(c.bits) + ".wav");
        // A mono file of 100 frames at half scale.
        ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -e " + std::string(c.encoding) + " -b " + std::to_string(c.bits) + " "
            + path + " synth 100s sine 0 dcshift 0.5"));
        SoundFile file;
        ASSERT_TRUE(file.Open(path)) << c.bits;
        EXPECT_EQ(file.Rate(), 8000u);
        EXPECT_EQ(file.FileChannels(), 1u);
        EXPECT_EQ(file.FrameCount(), 100);
        std::vector<int16_t> frames(400, 7);
        ASSERT_EQ(file.Read(frames.data(), 200), 100);
        EXPECT_NEAR(frames[0], 16384, c.bits == 8 ? 128 : 2) << c.bits;
        EXPECT_EQ(frames[0], frames[1]);     // mono plays on both channels
        EXPECT_EQ(frames[198], frames[199]);
        EXPECT_EQ(file.Read(frames.data(), 10), 0);
        ASSERT_TRUE(file.Seek(99));
        EXPECT_EQ(file.Read(frames.data(), 10), 1);
    }
}

TEST(SoundFile, ManyChannelsGiveTheFirstTwoAndOtherFormatsOpen)
{
    // Four mono files with levels 0.1 .. 0.4 merged into the channels of one FLAC file.
    std::string inputs;
    for (int i = 1; i <= 4; ++i) {
        const std::string part = TempSoundPath("part" + std::to_string(i) + ".wav");
        ASSERT_TRUE(RunSox("-D -r 22050 -c 1 -n -b 16 " + part + " synth 10s sine 0 dcshift 0." + std::to_string(i)));
        inputs += part + " ";
    }
    const std::string path = TempSoundPath("quad.flac");
    ASSERT_TRUE(RunSox("-M " + inputs + path));
    SoundFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(file.FileChannels(), 4u);
    EXPECT_EQ(file.Rate(), 22050u);
    std::vector<int16_t> frames(20);
    ASSERT_EQ(file.Read(frames.data(), 10), 10);
    EXPECT_NEAR(frames[0], 3277, 2);
    EXPECT_NEAR(frames[1], 6554, 2);
    EXPECT_NEAR(frames[18], 3277, 2);
    EXPECT_NEAR(frames[19], 6554, 2);
}

TEST(SoundFile, RefusesWhatIsNoSoundFile)
{
    const std::string path = TempSoundPath("text.wav");
    std::ofstream(path) << "RIFF but not really a sound file";
    SoundFile file;
    EXPECT_FALSE(file.Open(path));
    EXPECT_FALSE(file.Open(TempSoundPath("missing.wav")));
    int16_t frame[2];
    EXPECT_EQ(file.Read(frame, 1), -1);
    EXPECT_FALSE(file.Seek(0));
}

TEST(RateConverter, DoubleRateConsumesTwiceTheInput)
{
    plat::RateConverter converter;
    ASSERT_TRUE(converter.IsValid());
    std::vector<int16_t> in(2 * 4096, 1000);
    std::vector<int16_t> out(2 * 1024);
    long consumed = 0;
    long produced = 0;
    long inPos = 0;
    long consumedAtWarm = 0;
    long producedAtWarm = 0;
    // The filter holds some input back at first: measure once it runs steadily.
    while (produced < 131072) {
        const auto r = converter.Process(in.data() + (inPos % 4096) * 2, 4096 - inPos % 4096, out.data(), 1024, 2.0);
        ASSERT_TRUE(r.ok);
        consumed += r.consumed;
        produced += r.produced;
        inPos += r.consumed;
        if (producedAtWarm == 0 && produced >= 4096) {
            consumedAtWarm = consumed;
            producedAtWarm = produced;
        }
    }
    EXPECT_NEAR(double(consumed - consumedAtWarm) / double(produced - producedAtWarm), 2.0, 0.05);
    EXPECT_NEAR(out[1000], 1000, 20);
}

} // namespace
