#include "platform/audio/AudioDevices.h"
#include "platform/audio/AudioInput.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/ManualAudioDriver.h"
#include "platform/soundfile/FilePlayer.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using namespace plat;

// Collects what an input delivers.
struct Capture {
    AudioInput input;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> blocks;

    bool Open(const std::string& name, AudioFormat& format)
    {
        input.SetCallback([this](uint32_t frames) {
            const uint32_t bpf = input.Format().BytesPerFrame();
            std::vector<uint8_t> block(size_t(frames) * bpf);
            const uint32_t got = input.Render(block.data(), frames);
            bytes.insert(bytes.end(), block.begin(), block.begin() + size_t(got) * bpf);
            blocks.push_back(got);
        });
        return input.Open(name, format);
    }
};

TEST(AudioInput, SimulatedToneArrivesAtItsRateUnderTheManualDriver)
{
    ManualAudioDriver driver;
    Capture capture;
    AudioFormat format;   // "" is the driver's default input, sim:tone
    format.rate = 44100;
    ASSERT_TRUE(capture.Open("", format));
    EXPECT_EQ(format.channels, 2);
    ASSERT_TRUE(capture.input.Start());
    driver.AdvanceMs(500);
    EXPECT_EQ(capture.bytes.size(), 22050u * 4);
    EXPECT_LE(*std::max_element(capture.blocks.begin(), capture.blocks.end()), kMaxFramesPerSlice);
    // Left equals right and the peak is half scale.
    int16_t peak = 0;
    for (size_t i = 0; i + 3 < capture.bytes.size(); i += 4) {
        const auto left = int16_t(capture.bytes[i] | capture.bytes[i + 1] << 8);
        const auto right = int16_t(capture.bytes[i + 2] | capture.bytes[i + 3] << 8);
        ASSERT_EQ(left, right);
        peak = std::max(peak, left);
    }
    EXPECT_NEAR(peak, 16384, 2);
    capture.input.Stop();
    driver.AdvanceMs(100);
    EXPECT_EQ(capture.bytes.size(), 22050u * 4);
    EXPECT_EQ(driver.StreamCount(), 0u);
}

TEST(AudioInput, SimulatedFilePlaysOnceAtTheFileRateInTheFormatAsked)
{
    const std::string path = TempSoundPath("in.wav");
    ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 16 " + path + " synth 0.25 sine 0 dcshift 0.5"));
    ManualAudioDriver driver;
    Capture capture;
    AudioFormat format;
    format.rate = 44100;
    format.channels = 1;
    format.bits = 24;
    format.bigEndian = true;
    ASSERT_TRUE(capture.Open("sim:file=" + path, format));
    EXPECT_EQ(format.rate, 8000u);
    EXPECT_EQ(format.BytesPerFrame(), 3u);
    ASSERT_TRUE(capture.input.Start());
    driver.AdvanceMs(500);
    ASSERT_EQ(capture.bytes.size(), 4000u * 3);
    EXPECT_EQ(capture.bytes[0], 0x40);   // half scale, big-endian, lowest byte 0
    EXPECT_EQ(capture.bytes[2], 0x00);
    EXPECT_EQ(capture.bytes[1999 * 3], 0x40);
    EXPECT_EQ(capture.bytes[2000 * 3], 0x00);   // silence after the file
    float volume = 0;
    EXPECT_TRUE(capture.input.SetVolume(1.5f));
    EXPECT_TRUE(capture.input.GetVolume(volume));
    EXPECT_EQ(volume, 1.0f);
}

TEST(AudioInput, UnknownDevicesDoNotOpen)
{
    AudioInput input;
    AudioFormat format;
    EXPECT_FALSE(input.Open("sim:nothing", format));
    EXPECT_FALSE(input.Open("sim:file=/no/such/file.wav", format));
    EXPECT_FALSE(input.Open("no-such-alsa-device", format));
    EXPECT_FALSE(input.Start());
}

// A device that does not open says which one and why: ALSA gives its own reason.
TEST(AudioInput, AFailedOpenNamesTheDeviceAndTheReason)
{
    struct Row {
        const char* name;
        bool alsaReason;
    };
    const Row rows[] = {{"no-such-alsa-device", true}, {"sim:nothing", false}};
    for (const Row& row : rows) {
        AudioInput input;
        AudioFormat format;
        ASSERT_FALSE(input.Open(row.name, format)) << row.name;
        const std::string prefix = std::string("\"") + row.name + "\": ";
        ASSERT_EQ(input.OpenFailure().rfind(prefix, 0), 0u) << input.OpenFailure();
        const std::string reason = input.OpenFailure().substr(prefix.size());
        EXPECT_FALSE(reason.empty()) << row.name;
        EXPECT_EQ(reason != "the device cannot be opened", row.alsaReason) << reason;
    }
    AudioInput input;
    AudioFormat format;
    ASSERT_FALSE(input.Open("no-such-alsa-device", format));
    ASSERT_TRUE(input.Open("null", format));
    EXPECT_EQ(input.OpenFailure(), "") << "a later success forgets the failure";
}

TEST(AudioOutput, DefaultOutputIsTheNullOutputPacedByTheDriver)
{
    ManualAudioDriver driver;
    uint64_t asked = 0;
    AudioOutput output;
    AudioFormat format;
    format.rate = 8000;
    const std::vector<uint8_t> pattern(4 * kMaxFramesPerSlice, 0x5A);
    ASSERT_TRUE(output.Open("", format, [&](AudioBlock& block, uint32_t frames) {
        asked += frames;
        block.data = pattern.data();
        block.bytes = frames * 2;   // half of what was asked: the rest plays as silence
        return true;
    }));
    EXPECT_TRUE(output.IsNull());
    ASSERT_TRUE(output.Start());
    driver.AdvanceMs(1000);
    EXPECT_EQ(asked, 8000u);
    EXPECT_EQ(driver.FramesPlayed(), 4000u);
    const std::vector<uint8_t> played = driver.TakePlayedBytes();
    EXPECT_EQ(played.size(), 16000u);
    EXPECT_TRUE(std::all_of(played.begin(), played.end(), [](uint8_t b) { return b == 0x5A; }));
    output.Stop();
    driver.AdvanceMs(100);
    EXPECT_EQ(asked, 8000u);
}

TEST(AlsaBackend, NullDevicePlaysAndRecords)
{
    bool any = false;
    for (const AudioDeviceInfo& info : ListAudioDevices())
        any = any || info.name == "null";
    EXPECT_TRUE(any);

    std::atomic<uint64_t> pulled{0};
    AudioOutput output;
    AudioFormat format;
    ASSERT_TRUE(output.Open("null", format, [&](AudioBlock&, uint32_t frames) {
        pulled += frames;
        return false;
    }));
    EXPECT_FALSE(output.IsNull());
    ASSERT_TRUE(output.Start());
    Capture capture;
    std::atomic<bool> got{false};
    AudioFormat inFormat;
    inFormat.rate = 8000;
    capture.input.SetCallback([&](uint32_t frames) {
        std::vector<uint8_t> block(size_t(frames) * 4);
        if (capture.input.Render(block.data(), frames) == frames)
            got = true;
    });
    ASSERT_TRUE(capture.input.Open("null", inFormat));
    ASSERT_TRUE(capture.input.Start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((pulled == 0 || !got) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    capture.input.Stop();
    output.Stop();
    EXPECT_GT(pulled.load(), 0u);
    EXPECT_TRUE(got.load());
}

TEST(FilePlayer, DoubleRateConsumesTwiceTheFramesAndLoops)
{
    const std::string path = TempSoundPath("loop.wav");
    ASSERT_TRUE(RunSox("-r 8000 -c 2 -n -b 16 " + path + " synth 0.5 sine 440"));
    ManualAudioDriver driver;
    FilePlayer player;
    ASSERT_TRUE(player.Load(path));
    player.SetLoop(true);
    player.SetRate(2.0f);
    ASSERT_TRUE(player.Play());
    driver.AdvanceMs(500);
    const uint64_t warm = player.SourceFramesRead();
    driver.AdvanceMs(1000);
    // Two seconds of file in one second: the 0.5 s file goes round four times.
    EXPECT_NEAR(double(player.SourceFramesRead() - warm), 16000.0, 300.0);
    EXPECT_EQ(driver.FramesPlayed(), 12000u);
    EXPECT_FALSE(player.ReachedEnd());
    player.SetRate(1.0f);
    const uint64_t before = player.SourceFramesRead();
    driver.AdvanceMs(1000);
    EXPECT_NEAR(double(player.SourceFramesRead() - before), 8000.0, 300.0);

    player.Stop();
    player.SetLoop(false);
    ASSERT_TRUE(player.Play());
    driver.TakePlayedBytes();
    driver.AdvanceMs(1000);
    EXPECT_TRUE(player.ReachedEnd());
    EXPECT_EQ(player.SourceFramesRead(), 4000u);
}

} // namespace

TEST(AudioInput, TheEnvironmentNamesTheDefaultInputUnlessTheProgramChoseOne)
{
    ::setenv(plat::AudioInput::kSoundInputVariable, "sim:silence", 1);
    EXPECT_EQ(plat::AudioInput::DefaultName(), "sim:silence");
    plat::AudioInput::SetDefaultName("sim:tone");
    EXPECT_EQ(plat::AudioInput::DefaultName(), "sim:tone");
    plat::AudioInput::SetDefaultName("");
    ::unsetenv(plat::AudioInput::kSoundInputVariable);
    EXPECT_EQ(plat::AudioInput::DefaultName(), "default");
}
