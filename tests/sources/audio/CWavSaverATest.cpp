#include "sources/audio/CWavFileReader.h"
#include "sources/audio/CWavSaverA.h"
#include "tests/foundation/TempFiles.h"
#include "tests/sources/SoundTestSupport.h"
#include "tests/sources/LockedStepQueue.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string LE32(uint32_t v)
{
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string LE16(uint32_t v)
{
    return std::string{char(v), char(v >> 8)};
}

// A WAV file with a 16-byte "fmt " chunk of the given fields and the given data.
std::string WavBytes(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits, const std::string& data)
{
    const uint32_t align = ((bits + 7) / 8) * channels;
    std::string fmt = LE16(tag) + LE16(channels) + LE32(rate) + LE32(rate * align) + LE16(align) + LE16(bits);
    std::string body = "WAVEfmt " + LE32(16) + fmt + "data" + LE32(uint32_t(data.size())) + data;
    return "RIFF" + LE32(uint32_t(body.size())) + body;
}

class WavTest : public testing::Test {
protected:
    std::unique_ptr<CMacAsyncPB> OpenForWriting(const std::string& path)
    {
        std::ofstream(path, std::ios::app).flush();   // made when missing, kept when there
        auto file = std::make_unique<CMacAsyncPB>(&queue);
        EXPECT_EQ(file->Open(path, CMacAsyncPB::kWritePermission), 0u);
        return file;
    }
    // Plays the queue's thread until the saver's background writes are all done.
    void Settle(CWavSaverA& saver)
    {
        ASSERT_TRUE(WaitFor([&] {
            queue.DeliverSignals();
            saver.Pump();
            return saver.Pending() < CWavSaverA::kBlockBytes;
        }));
    }
    LockedStepQueue queue;
};

TEST_F(WavTest, HeaderFieldsAreExactAndSizesArePatchedOnClose)
{
    const std::string path = TempSoundPath("header.wav");
    WriteAll(path, std::string(100000, 'x'));   // an older, longer file is replaced
    {
        CWavSaverA saver(nullptr, OpenForWriting(path), CSampleFormat(44100, 2, 16, 1, 0));
        ASSERT_TRUE(saver.IsWriting());
        saver.PutFrame(0x1234, -2);
        const std::string open = ReadAll(path);
        ASSERT_EQ(open.size(), 46u);   // the frame is still in the ring
        EXPECT_EQ(open.substr(4, 4), "\xFF\xFF\xFF\xFF");
        EXPECT_EQ(open.substr(42, 4), "\xFF\xFF\xFF\xFF");
    }
    const std::string expected = "RIFF" + LE32(42) + "WAVEfmt " + LE32(18) + LE16(1) + LE16(2) + LE32(44100)
        + LE32(176400) + LE16(4) + LE16(16) + LE16(0) + "data" + LE32(4) + "\x34\x12\xFE\xFF";
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(RunSoxi("-s", path), "1");
    EXPECT_EQ(RunSoxi("-r", path), "44100");
}

TEST_F(WavTest, OddDataGetsAPadByteAndMoreThanTwoChannelsAreWrittenAsTwo)
{
    const std::string path = TempSoundPath("odd.wav");
    {
        CWavSaverA saver(nullptr, OpenForWriting(path), CSampleFormat(8000, 1, 8, 1, 0));
        for (int v : {-32768, 0, 32767})
            saver.PutFrame(v, 0);
    }
    const std::string odd = ReadAll(path);
    ASSERT_EQ(odd.size(), 50u);
    EXPECT_EQ(odd.substr(4, 4), LE32(42));
    EXPECT_EQ(odd.substr(42, 8), LE32(3) + std::string("\x00\x80\xFF\x00", 4));   // unsigned 8-bit, pad 0
    EXPECT_EQ(RunPython("import wave,sys; w=wave.open(sys.argv[1]); print(w.getnframes(), w.getsampwidth())", path),
        "3 1");

    const std::string quad = TempSoundPath("quad.wav");
    { CWavSaverA saver(nullptr, OpenForWriting(quad), CSampleFormat(8000, 4, 16, 1, 0)); saver.PutFrame(1, 2); }
    EXPECT_EQ(RunSoxi("-c", quad), "2");
    EXPECT_EQ(ReadAll(quad).substr(32, 2), LE16(4));   // block align of what is written
}

TEST_F(WavTest, TwentyFourBitFramesWrapInTheRingAndReachTheFileInOrder)
{
    const std::string path = TempSoundPath("wide.wav");
    constexpr int kFrames = 100000;   // 600000 bytes: the 256 KiB ring wraps with a split frame
    {
        CWavSaverA saver(nullptr, OpenForWriting(path), CSampleFormat(48000, 2, 24, 1, 0));
        ASSERT_EQ(saver.FrameBytes(), 6u);
        for (int i = 0; i < kFrames; ++i) {
            while (saver.IsFull())
                Settle(saver);
            saver.PutFrame(i % 30000, -(i % 30000));
            saver.Pump();
            if (i % 1000 == 0)
                queue.DeliverSignals();
        }
        Settle(saver);
    }
    const std::string file = ReadAll(path);
    ASSERT_EQ(file.size(), 46u + kFrames * 6u);
    for (int i = 0; i < kFrames; i += 997) {
        const auto* f = reinterpret_cast<const uint8_t*>(file.data() + 46 + i * 6);
        ASSERT_EQ(f[0], 0);
        ASSERT_EQ(int16_t(f[1] | f[2] << 8), i % 30000) << i;
        ASSERT_EQ(int16_t(f[4] | f[5] << 8), -(i % 30000)) << i;
    }
    EXPECT_EQ(RunSoxi("-s", path), std::to_string(kFrames));
    EXPECT_EQ(RunSoxi("-b", path), "24");
}

TEST_F(WavTest, ReaderRefusesBadFormatsAndReadsEightBitAsUnsigned)
{
    CWavFileReader reader(&queue);
    const std::string path = TempSoundPath("bad.wav");
    const std::string data(8, '\x80');
    for (const std::string& bytes : {WavBytes(1, 256, 8000, 16, data), WavBytes(1, 1, 0, 16, data),
             WavBytes(1, 0, 8000, 16, data), WavBytes(3, 1, 8000, 16, data), WavBytes(1, 1, 8000, 24, data),
             WavBytes(1, 1, 8000, 16, "").substr(0, 36), std::string("RIFF")}) {
        WriteAll(path, bytes);
        EXPECT_EQ(reader.Open(path), 1);
    }
    const std::string sox24 = TempSoundPath("sox24.wav");
    ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 24 " + sox24 + " synth 10s sine 0 dcshift 0.5"));
    EXPECT_EQ(reader.Open(sox24), 1);

    const std::string sox8 = TempSoundPath("sox8.wav");
    ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -e unsigned-integer -b 8 " + sox8 + " synth 10s sine 0 dcshift 0.5"));
    ASSERT_EQ(reader.Open(sox8), 0);
    EXPECT_EQ(reader.Format().isSigned, 0);
    EXPECT_EQ(reader.FrameCount(), 10u);
    uint8_t sample = 0;
    ASSERT_TRUE(reader.ReadFrame(&sample, [](void* c, const uint8_t* b, uint32_t n) {
        ASSERT_EQ(n, 1u);
        *static_cast<uint8_t*>(c) = b[0];
    }));
    EXPECT_EQ(sample, 0xC0);
    reader.SeekSeconds(3.4028235e38f);
    EXPECT_EQ(reader.PositionFrames(), 10u);
    reader.SeekSeconds(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(reader.PositionFrames(), 0u);
    reader.SeekFrames(9);
    EXPECT_TRUE(reader.ReadFrame(&sample, [](void*, const uint8_t*, uint32_t) {}));
    EXPECT_FALSE(reader.ReadFrame(&sample, [](void*, const uint8_t*, uint32_t) {}));
}

} // namespace
