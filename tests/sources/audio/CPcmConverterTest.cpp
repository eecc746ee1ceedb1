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

// Eight-bit values are centred and clamped, Put truncates toward zero, wide samples use
// their upper pair and zero the rest.
TEST(CPcmConverter, BytesInEveryWidthOrderAndSign)
{
    struct Case {
        uint8_t little, isSigned;
        uint32_t bits;
        std::vector<uint8_t> bytes;
        int32_t value;
    };
    const Case reads[] = {
        {1, 0, 8, {0}, -32768}, // would be -32896, below the 16-bit range
        {1, 0, 8, {255}, 32639},          {1, 0, 8, {128}, 0},
        {0, 1, 8, {0x80}, -32768},        {0, 1, 8, {0x7F}, 127 * 257},
        {0, 1, 16, {0x80, 0x00}, -32768}, {0, 0, 16, {0x80, 0x00}, 0},
        {1, 1, 16, {0xFF, 0x7F}, 32767},  {1, 0, 16, {0xFF, 0x7F}, -1},
        {1, 1, 24, {0xAB, 0x34, 0x12}, 0x1234}, {0, 1, 32, {0x12, 0x34, 0xAB, 0xCD}, 0x1234},
    };
    for (const Case& c : reads)
        EXPECT_EQ(Make(c.little, c.isSigned, c.bits, 1, 0).Get(c.bytes.data()), c.value) << c.bits << " " << c.value;
    const Case puts[] = {
        {1, 0, 8, {0}, -32768},   {1, 0, 8, {128}, -255}, // trunc(-255 / 256) = 0
        {1, 0, 8, {255}, 32767},  {1, 1, 8, {0xFF}, -300},
        {1, 0, 16, {0xFF, 0x7F}, -1}, {1, 1, 16, {0xFE, 0xFF}, -2},
        {0, 1, 16, {0x12, 0x34}, 0x1234}, {0, 0, 16, {0x92, 0x34}, 0x1234},
        {1, 1, 24, {0x00, 0xFE, 0xFF}, -2}, {1, 1, 32, {0x00, 0x00, 0x34, 0x12}, 0x1234},
        {0, 0, 32, {0x80, 0x00, 0x00, 0x00}, 0},
    };
    for (const Case& c : puts) {
        std::vector<uint8_t> out(c.bytes.size(), 0xEE);
        Make(c.little, c.isSigned, c.bits, 1, 0).Put(out.data(), c.value);
        EXPECT_EQ(out, c.bytes) << c.bits << " " << c.value;
    }
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
