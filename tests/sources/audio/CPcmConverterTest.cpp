#include "sources/audio/CPcmConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

CPcmConverter Make(uint8_t little, uint8_t isSigned, uint32_t bits, uint32_t channels, uint32_t channel)
{
    CPcmConverter c;
    ConvertPCM(c, little, isSigned, bits, channels, channel);
    return c;
}

TEST(CPcmConverter, EightBitUnsignedReadsClampedAndCentred)
{
    const CPcmConverter c = Make(1, 0, 8, 1, 0);
    uint8_t b = 0;
    EXPECT_EQ(c.Get(&b), -32768);   // would be -32896, below the 16-bit range
    b = 255;
    EXPECT_EQ(c.Get(&b), 32639);
    b = 128;
    EXPECT_EQ(c.Get(&b), 0);
    const CPcmConverter s = Make(0, 1, 8, 1, 0);
    b = 0x80;
    EXPECT_EQ(s.Get(&b), -32768);
    b = 0x7F;
    EXPECT_EQ(s.Get(&b), 127 * 257);
}

TEST(CPcmConverter, EightBitPutTruncatesTowardZero)
{
    const CPcmConverter u = Make(1, 0, 8, 1, 0);
    uint8_t b = 0;
    u.Put(&b, -32768);
    EXPECT_EQ(b, 0);
    u.Put(&b, -255);   // trunc(-255 / 256) = 0
    EXPECT_EQ(b, 128);
    u.Put(&b, 32767);
    EXPECT_EQ(b, 255);
    const CPcmConverter s = Make(1, 1, 8, 1, 0);
    s.Put(&b, -300);
    EXPECT_EQ(b, 0xFF);
}

TEST(CPcmConverter, SixteenBitBytesInEveryOrderAndSign)
{
    std::array<uint8_t, 2> b{};
    Make(1, 0, 16, 1, 0).Put(b.data(), -1);
    EXPECT_EQ(b, (std::array<uint8_t, 2>{0xFF, 0x7F}));
    Make(1, 1, 16, 1, 0).Put(b.data(), -2);
    EXPECT_EQ(b, (std::array<uint8_t, 2>{0xFE, 0xFF}));
    Make(0, 1, 16, 1, 0).Put(b.data(), 0x1234);
    EXPECT_EQ(b, (std::array<uint8_t, 2>{0x12, 0x34}));
    Make(0, 0, 16, 1, 0).Put(b.data(), 0x1234);
    EXPECT_EQ(b, (std::array<uint8_t, 2>{0x92, 0x34}));

    const uint8_t be[2] = {0x80, 0x00};
    EXPECT_EQ(Make(0, 1, 16, 1, 0).Get(be), -32768);
    EXPECT_EQ(Make(0, 0, 16, 1, 0).Get(be), 0);
    const uint8_t le[2] = {0xFF, 0x7F};
    EXPECT_EQ(Make(1, 1, 16, 1, 0).Get(le), 32767);
    EXPECT_EQ(Make(1, 0, 16, 1, 0).Get(le), -1);
}

TEST(CPcmConverter, WideSamplesUseTheirUpperPairAndZeroTheRest)
{
    const uint8_t le24[3] = {0xAB, 0x34, 0x12};
    EXPECT_EQ(Make(1, 1, 24, 1, 0).Get(le24), 0x1234);
    const uint8_t be32[4] = {0x12, 0x34, 0xAB, 0xCD};
    EXPECT_EQ(Make(0, 1, 32, 1, 0).Get(be32), 0x1234);

    std::array<uint8_t, 3> b24;
    b24.fill(0xEE);
    Make(1, 1, 24, 1, 0).Put(b24.data(), -2);
    EXPECT_EQ(b24, (std::array<uint8_t, 3>{0x00, 0xFE, 0xFF}));
    std::array<uint8_t, 4> b32;
    b32.fill(0xEE);
    Make(1, 1, 32, 1, 0).Put(b32.data(), 0x1234);
    EXPECT_EQ(b32, (std::array<uint8_t, 4>{0x00, 0x00, 0x34, 0x12}));
    Make(0, 0, 32, 1, 0).Put(b32.data(), 0);
    EXPECT_EQ(b32, (std::array<uint8_t, 4>{0x80, 0x00, 0x00, 0x00}));
}

// Every layout carries a 16-bit value back unchanged; 8-bit ones keep its upper byte.
TEST(CPcmConverter, EveryLayoutRoundTripsThroughSixteenBits)
{
    for (uint32_t bits : {8u, 16u, 24u, 32u}) {
        for (uint8_t little : {0, 1}) {
            for (uint8_t isSigned : {0, 1}) {
                const CPcmConverter left = Make(little, isSigned, bits, 2, 0);
                const CPcmConverter right = Make(little, isSigned, bits, 2, 1);
                ASSERT_EQ(left.frameBytes, 2 * ((bits + 7) / 8));
                ASSERT_EQ(right.channelOffset, (bits + 7) / 8);
                std::vector<uint8_t> frame(left.frameBytes);
                for (int32_t v = -32768; v <= 32767; v += 251) {
                    left.Put(frame.data(), v);
                    right.Put(frame.data(), -v - 1);
                    const auto expect = [&](int32_t x) { return bits == 8 ? std::max(-32768, (x / 256) * 257) : x; };
                    ASSERT_EQ(left.Get(frame.data()), expect(v)) << bits << little << isSigned << " " << v;
                    ASSERT_EQ(right.Get(frame.data()), expect(-v - 1)) << bits << little << isSigned << " " << v;
                }
            }
        }
    }
}

TEST(CPcmConverter, MixReadsTheMeanAndPutsBothChannels)
{
    const CPcmConverter mix = Make(1, 1, 16, 2, CPcmConverter::kMixChannel);
    EXPECT_EQ(mix.frameBytes, 4u);
    const uint8_t frame[4] = {0xFF, 0xFF, 0x00, 0x00};   // -1 and 0: mean -0.5 truncates to 0
    EXPECT_EQ(mix.Get(frame), 0);
    uint8_t out[6] = {};
    Make(0, 0, 24, 3, CPcmConverter::kMixChannel).Put(out, 0x0102);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 6), (std::vector<uint8_t>{0x81, 0x02, 0x00, 0x81, 0x02, 0x00}));
    const uint8_t u8[2] = {0, 255};
    EXPECT_EQ(Make(1, 0, 8, 2, CPcmConverter::kMixChannel).Get(u8), 255 * 128 - 32768);
    const uint8_t mono[2] = {0x00, 0x40};
    EXPECT_EQ(Make(1, 1, 16, 1, CPcmConverter::kMixChannel).Get(mono), 0x4000);
}

TEST(CPcmConverter, UnreadableLayoutsGiveTheSilentConverter)
{
    const uint8_t frame[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (const CPcmConverter& c : {Make(1, 1, 16, 1, 1), Make(2, 1, 16, 2, 0), Make(1, 1, 0, 2, 0),
             Make(1, 1, 33, 2, 0), Make(1, 1, 16, 0, CPcmConverter::kMixChannel), Make(1, 1, 0, 2, 255)}) {
        EXPECT_EQ(c.Get(frame), 0);
        EXPECT_EQ(c.frameBytes, 32u);
        uint8_t out[8] = {};
        c.Put(out, 1234);
        EXPECT_EQ(out[0] | out[1] | out[2] | out[3], 0);
    }
    CPcmConverter d;
    DefaultPCM(d);
    EXPECT_EQ(d.frameBytes, 2u);
    EXPECT_EQ(d.Get(frame), 0x0201);
}

} // namespace

#include "foundation/streams/CForkStream.h"
#include "sources/audio/CRiffChunk.h"
#include "tests/support/SoundTools.h"

namespace {

// The data chunk of a WAV file, found by walking its chunks.
std::vector<uint8_t> DataOf(const std::string& path)
{
    CForkStream stream(path, LStream::kReadOnly, 0);
    CRiffChunk riff;
    riff.Open(&stream);
    uint32_t form = 0;
    std::vector<uint8_t> data;
    if (!riff.ReadFourCC(form))
        return data;
    for (CRiffChunk chunk; chunk.OpenChild(riff), chunk.Id() != 0; chunk.SkipToNext()) {
        if (chunk.Id() != RiffId("data"))
            continue;
        data.resize(size_t(chunk.Length()));
        uint64_t count = data.size();
        if (!chunk.Read(data.data(), count))
            data.clear();
        break;
    }
    return data;
}

// Stereo files of every width with the left channel at +0.5 and the right at -0.25.
TEST(CPcmConverter, ReadsFilesMadeBySoxInEveryWidth)
{
    const std::string left = TempSoundPath("l.wav");
    const std::string right = TempSoundPath("r.wav");
    ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 16 " + left + " synth 16s sine 0 dcshift 0.5"));
    ASSERT_TRUE(RunSox("-D -r 8000 -c 1 -n -b 16 " + right + " synth 16s sine 0 dcshift -0.25"));
    for (uint32_t bits : {8u, 16u, 24u, 32u}) {
        const std::string path = TempSoundPath("w" + std::to_string(bits) + ".wav");
        const std::string encoding = bits == 8 ? "unsigned-integer" : "signed-integer";
        ASSERT_TRUE(RunSox("-D -M " + left + " " + right + " -e " + encoding + " -b " + std::to_string(bits) + " " + path));
        const std::vector<uint8_t> data = DataOf(path);
        const uint8_t isSigned = bits == 8 ? 0 : 1;
        const CPcmConverter l = Make(1, isSigned, bits, 2, 0);
        const CPcmConverter r = Make(1, isSigned, bits, 2, 1);
        const CPcmConverter mix = Make(1, isSigned, bits, 2, CPcmConverter::kMixChannel);
        ASSERT_EQ(data.size(), 16u * l.frameBytes) << bits;
        const int32_t tolerance = bits == 8 ? 260 : 1;
        for (size_t f = 0; f < 16; ++f) {
            const uint8_t* frame = data.data() + f * l.frameBytes;
            EXPECT_NEAR(l.Get(frame), 16384, tolerance) << bits;
            EXPECT_NEAR(r.Get(frame), -8192, tolerance) << bits;
            EXPECT_NEAR(mix.Get(frame), 4096, tolerance) << bits;
        }
    }
}

} // namespace
