#include "foundation/streams/CMemStream.h"
#include "foundation/streams/CPngStream.h"
#include "foundation/streams/CUTF8TextReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CUTF8TextReader, SkipsAByteOrderMarkOnly)
{
    const std::string marked = "\xEF\xBB\xBFx";
    CMemStream stream(marked.data(), uint32_t(marked.size()));
    CUTF8TextReader reader(&stream);
    char c = 0;
    ASSERT_TRUE(reader.ReadByte(c));
    EXPECT_EQ(c, 'x');
    EXPECT_FALSE(reader.ReadByte(c));
    reader.Unread();
    ASSERT_TRUE(reader.ReadByte(c));
    EXPECT_EQ(c, 'x');

    const std::string shortText = "\xEF\xBB";
    CMemStream shortStream(shortText.data(), uint32_t(shortText.size()));
    CUTF8TextReader shortReader(&shortStream);
    ASSERT_TRUE(shortReader.ReadByte(c));
    EXPECT_EQ(static_cast<unsigned char>(c), 0xEFu);
}

TEST(CUTF8TextReader, DeliversNulBytesAndBlocks)
{
    const std::string text("a\0bc", 4);
    CMemStream stream(text.data(), uint32_t(text.size()));
    CUTF8TextReader reader(&stream);
    char c = 1;
    ASSERT_TRUE(reader.ReadByte(c));
    ASSERT_TRUE(reader.ReadByte(c));
    EXPECT_EQ(c, '\0');
    char rest[8];
    EXPECT_EQ(reader.Read(rest, 8), 2u);
    EXPECT_EQ(std::string(rest, 2), "bc");
}

std::string PngChunk(const char* type, const std::string& data)
{
    std::string chunk;
    const auto length = uint32_t(data.size());
    chunk += char(length >> 24);
    chunk += char(length >> 16);
    chunk += char(length >> 8);
    chunk += char(length);
    chunk += type;
    chunk += data;
    chunk += std::string(4, '\0');   // the CRC, not checked
    return chunk;
}

TEST(CPngStream, WalksTheChunksInOrder)
{
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", std::string(13, '\1'))
        + PngChunk("hsPT", std::string("\0\3\0\4", 4)) + PngChunk("IEND", "");
    CMemStream stream(png.data(), uint32_t(png.size()));
    CPngStream chunks(&stream);
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(chunks.ChunkType(), 0x49484452u);
    EXPECT_EQ(chunks.ChunkLength(), 13u);
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(chunks.ChunkType(), 0x68735054u);
    char data[4];
    uint64_t count = 4;
    stream.Read(data, &count);
    EXPECT_EQ(std::string(data, 4), std::string("\0\3\0\4", 4));
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(chunks.ChunkType(), 0x49454E44u);
    EXPECT_FALSE(chunks.ReadChunk());
    EXPECT_FALSE(chunks.ReadChunk());
}

TEST(CPngStream, DataWithoutTheSignatureHasNoChunks)
{
    const std::string notPng = "GIF89a....";
    CMemStream stream(notPng.data(), uint32_t(notPng.size()));
    CPngStream chunks(&stream);
    EXPECT_FALSE(chunks.ReadChunk());
}

} // namespace
