#include "platform/soundfile/RateConverter.h"
#include "platform/soundfile/SoundFile.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<int16_t> ReadAll(const std::string& path)
{
    SoundFile file;
    std::vector<int16_t> frames;
    if (!file.Open(path))
        return frames;
    frames.resize(size_t(file.FrameCount()) * 2 + 2);
    frames.resize(size_t(std::max<int64_t>(file.Read(frames.data(), file.FrameCount() + 1), 0)) * 2);
    return frames;
}

// Float files as editors write them read sample for sample as the 16-bit file they came from.
TEST(SoundFile, FloatFilesReadAsTheIntegerFileTheyWereMadeFrom)
{
    const std::string source = TempSoundPath("fullscale16.wav");
    // Noise and a sine, both clipped, reach both ends of the scale.
    ASSERT_TRUE(RunSox("-D -r 44100 -n -c 2 -e signed-integer -b 16 " + source
        + " synth 0.2 whitenoise sine 300 vol 2"));
    const std::vector<int16_t> expected = ReadAll(source);
    ASSERT_EQ(expected.size(), 2u * 8820u);
    for (int bits : {32, 64}) {
        const std::string path = TempSoundPath("float" + std::to_string(bits) + ".wav");
        ASSERT_TRUE(RunSox("-D " + source + " -e floating-point -b " + std::to_string(bits) + " " + path));
        ASSERT_EQ(RunSoxi("-e", path), "Floating Point PCM");
        SoundFile file;
        ASSERT_TRUE(file.Open(path));
        EXPECT_EQ(file.Rate(), 44100u);
        EXPECT_EQ(file.FileChannels(), 2u);
        EXPECT_EQ(file.FrameCount(), 8820);
        const std::vector<int16_t> got = ReadAll(path);
        ASSERT_EQ(got.size(), expected.size()) << bits;
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << bits << "-bit float, sample " << i;
        EXPECT_EQ(*std::min_element(got.begin(), got.end()), -32768);
        EXPECT_EQ(*std::max_element(got.begin(), got.end()), 32767);
    }
}

TEST(SoundFile, FloatValuesBeyondFullScaleClip)
{
    const std::string path = TempSoundPath("beyond.wav");
    // A mono 32-bit float file written byte by byte (format tag 3).
    ASSERT_EQ(RunPython("import struct,sys\n"
                        "v=[2.0,-2.0,1.0,-1.0,0.5,-0.5,float('nan')]\n"
                        "d=struct.pack('<7f',*v)\n"
                        "fmt=struct.pack('<HHIIHH',3,1,8000,32000,4,32)\n"
                        "body=b'WAVE'+b'fmt '+struct.pack('<I',16)+fmt+b'data'+struct.pack('<I',len(d))+d\n"
                        "open(sys.argv[1],'wb').write(b'RIFF'+struct.pack('<I',len(body))+body)\n"
                        "print('ok')",
                  path),
        "ok");
    const std::vector<int16_t> got = ReadAll(path);
    const std::vector<int16_t> mono = {32767, -32768, 32767, -32768, 16384, -16384, 0};
    ASSERT_EQ(got.size(), 2 * mono.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        EXPECT_EQ(got[2 * i], mono[i]) << i;
        EXPECT_EQ(got[2 * i + 1], mono[i]) << i;
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
