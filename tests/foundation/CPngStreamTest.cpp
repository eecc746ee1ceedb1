#include "foundation/streams/CMemStream.h"
#include "foundation/streams/CPngStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

} // namespace

TEST(CPngStream, WalksTheChunksInOrderOnlyAfterTheSignature)
{
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", std::string(13, '\1'))
        + PngChunk("hsPT", std::string("\0\3\0\4", 4)) + PngChunk("IEND", "");
    CMemStream stream(png.data(), uint32_t(png.size()));
    CPngStream chunks(&stream);
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(std::pair(chunks.ChunkType(), chunks.ChunkLength()), std::pair(0x49484452u, 13u));
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(chunks.ChunkType(), 0x68735054u);
    char data[4];
    uint64_t count = 4;
    stream.Read(data, &count);  // the stream stands at the chunk's data
    EXPECT_EQ(std::string(data, 4), std::string("\0\3\0\4", 4));
    ASSERT_TRUE(chunks.ReadChunk());
    EXPECT_EQ(chunks.ChunkType(), 0x49454E44u);
    EXPECT_FALSE(chunks.ReadChunk() || chunks.ReadChunk());

    const std::string notPng = "GIF89a....";
    CMemStream gif(notPng.data(), uint32_t(notPng.size()));
    CPngStream none(&gif);
    EXPECT_FALSE(none.ReadChunk());
}
