#include "sources/audio/CRiffChunk.h"
#include "sources/audio/CRiffWriter.h"

#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const CMemStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Length()));
}

TEST(CRiffWriter, OddChunkGetsAPadByteNotCountedInItsSize)
{
    LByteBuffer buffer;
    CMemStream stream(buffer);
    CRiffWriter riff;
    riff.BeginRiff(&stream);
    riff.WriteFourCC(RiffId("WAVE"));
    EXPECT_EQ(Bytes(stream), std::string("RIFF\xFF\xFF\xFF\xFFWAVE", 12));
    CRiffWriter chunk;
    chunk.BeginChunk(&stream, RiffId("data"));
    chunk.Write("abcde", 5);
    chunk.EndChunk();
    riff.EndChunk();
    EXPECT_EQ(Bytes(stream), std::string("RIFF\x12\0\0\0WAVEdata\x05\0\0\0abcde\0", 26));
    EXPECT_EQ(stream.Error(), 0u);
}

TEST(CRiffChunk, WalksChildrenAndSkipsPadBytes)
{
    const std::string file("RIFF\x1C\0\0\0WAVEodd \x03\0\0\0xyz\0data\x04\0\0\0" "1234", 36);
    CMemStream stream(file.data(), uint32_t(file.size()));
    CRiffChunk riff;
    riff.Open(&stream);
    EXPECT_EQ(riff.Id(), RiffId("RIFF"));
    EXPECT_EQ(riff.Start(), 8u);
    EXPECT_EQ(riff.End(), 36u);
    uint32_t form = 0;
    ASSERT_TRUE(riff.ReadFourCC(form));
    EXPECT_EQ(form, RiffId("WAVE"));

    CRiffChunk odd;
    odd.OpenChild(riff);
    EXPECT_EQ(odd.Id(), RiffId("odd "));
    EXPECT_EQ(odd.Length(), 3u);
    EXPECT_EQ(odd.Next(), 24u);
    char text[8] = {};
    uint64_t count = 8;
    EXPECT_FALSE(odd.Read(text, count));   // only 3 bytes in the chunk
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::string(text), "xyz");
    odd.SkipToNext();

    CRiffChunk data;
    data.OpenChild(riff);
    EXPECT_EQ(data.Id(), RiffId("data"));
    EXPECT_EQ(data.Start(), 32u);
    data.SkipToNext();
    CRiffChunk none;
    none.OpenChild(riff);
    EXPECT_EQ(none.Id(), 0u);
}

TEST(CRiffChunk, DamagedSizesStayInsideTheParentAndShortHeadersGiveNothing)
{
    // The child claims 4 GiB; it is clamped to the parent's 20-byte body.
    const std::string file("RIFF\x14\0\0\0WAVEdata\xFF\xFF\xFF\xFF" "abcdef", 26);
    CMemStream stream(file.data(), uint32_t(file.size()));
    CRiffChunk riff;
    riff.Open(&stream);
    uint32_t form = 0;
    ASSERT_TRUE(riff.ReadFourCC(form));
    CRiffChunk data;
    data.OpenChild(riff);
    EXPECT_EQ(data.End(), 28u);
    EXPECT_EQ(data.Next(), 28u);
    uint64_t count = 100;
    char buffer[100];
    EXPECT_FALSE(data.Read(buffer, count));
    EXPECT_EQ(count, 6u);   // what the stream really holds

    const std::string tiny("RIFF\x01", 5);
    CMemStream shortStream(tiny.data(), uint32_t(tiny.size()));
    CRiffChunk empty;
    empty.Open(&shortStream);
    EXPECT_EQ(empty.Id(), 0u);
    EXPECT_EQ(empty.Start(), empty.End());
    EXPECT_EQ(shortStream.position, 0u);
}

} // namespace
