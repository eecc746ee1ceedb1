#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LStringRef.h"
#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t Code(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 | uint32_t(uint8_t(text[2])) << 8
        | uint8_t(text[3]);
}

std::string Bytes(const CMemStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Length()));
}

TEST(CIffChunk, OddChunkHasItsSizeAndAPadByteAndTextIsStoredWithLineFeeds)
{
    LByteBuffer buffer;
    CMemStream stream(buffer);
    CIffChunk chunk;
    chunk.BeginWrite(&stream, Code("DATA"));
    chunk.WriteBytes("abcde", 5);
    chunk.EndWrite();
    EXPECT_EQ(Bytes(stream), std::string("DATA\0\0\0\x05" "abcde\0", 14));
    EXPECT_EQ(stream.Error(), 0u);

    LByteBuffer textBuffer;
    CMemStream text(textBuffer);
    CIffChunk::WriteText(&text, "a\r\nb\rc\n\rd\r", 10);
    CIffChunk::WriteText(&text, "", 0);
    EXPECT_EQ(Bytes(text), std::string("a\nb\nc\n\nd\n\0\0", 11));
}

TEST(CIffChunk, NestedChunksPatchTheirSizesAndReadBack)
{
    LByteBuffer buffer;
    CMemStream stream(buffer);
    CIffChunk outer;
    outer.BeginWrite(&stream, Code("FORM"));
    outer.WriteU32(0x01020304);
    CIffChunk inner;
    inner.BeginSub(outer, Code("TEXT"));
    inner.WriteString("a\r\nb\rc\n\rd");
    inner.WriteU8(7);
    inner.EndWrite();
    CIffChunk empty;
    empty.BeginSub(outer, Code("NONE"));
    empty.EndWrite();
    CIffChunk number;
    number.BeginSub(outer, Code("NUMB"));
    number.WriteU32(0xDEADBEEF);
    number.EndWrite();
    outer.WriteU8(0xFF);
    outer.EndWrite();
    // LF then CR is stored as two LFs.
    const std::string expected = std::string("FORM\0\0\0\x2B", 8) + "\x01\x02\x03\x04"
        + std::string("TEXT\0\0\0\x0A", 8) + std::string("a\nb\nc\n\nd\0\x07", 10) + std::string("NONE\0\0\0\0", 8)
        + std::string("NUMB\0\0\0\x04", 8) + "\xDE\xAD\xBE\xEF" + "\xFF" + std::string("\0", 1);
    EXPECT_EQ(Bytes(stream), expected);

    CMemStream in(buffer.Data(), buffer.Size());
    CIffChunk form;
    form.Open(&in);
    ASSERT_EQ(form.type, Code("FORM"));
    uint32_t value = 0, small = 0;
    EXPECT_TRUE(form.ReadU32(&value));
    EXPECT_EQ(value, 0x01020304u);
    CIffChunk child;
    LStringRef text;
    std::vector<uint32_t> types;
    for (child.OpenSub(form); child.type; child.Close(), child.OpenSub(form))
        types.push_back(child.type);
    EXPECT_EQ(types, (std::vector<uint32_t>{Code("TEXT"), Code("NONE"), Code("NUMB")}));
    in.SetPosition(12);
    child.OpenSub(form);
    ASSERT_TRUE(child.ReadString(&text) && child.ReadU8(&small));
    EXPECT_EQ(std::pair(std::string(text.View()), small), std::pair(std::string("a\nb\nc\n\nd"), 7u));
    child.Close();
    child.OpenSub(form);
    child.Close();
    child.OpenSub(form);
    EXPECT_TRUE(child.ReadU32(&value));
    EXPECT_EQ(value, 0xDEADBEEFu);
}

TEST(CIffChunk, TypedReadsStopAtTheDataEndAndChildrenAreClippedToTheirParent)
{
    const std::string data = std::string("NUMB\0\0\0\x03", 8) + "abc" + std::string("\0", 1);
    CMemStream stream(data.data(), uint32_t(data.size()));
    CIffChunk chunk;
    chunk.Open(&stream);
    uint32_t value = 99;
    EXPECT_FALSE(chunk.ReadU32(&value));
    EXPECT_EQ(value, 99u);
    EXPECT_EQ(stream.position, 11u);
    EXPECT_FALSE(chunk.ReadU8(&value));
    chunk.Close();
    EXPECT_EQ(stream.position, 12u);

    const std::string form = std::string("FORM\0\0\0\x14", 8) + std::string("BIGC\0\0\0\x64", 8) + std::string(12, 'x')
        + std::string("NEXT\0\0\0\0", 8);
    CMemStream formStream(form.data(), uint32_t(form.size()));
    CIffChunk outer;
    outer.Open(&formStream);
    CIffChunk child;
    child.OpenSub(outer);
    EXPECT_EQ(child.type, Code("BIGC"));
    EXPECT_EQ(child.DataEnd(), 28u);
    EXPECT_EQ(child.Next(), 28u);
    child.Close();
    child.OpenSub(outer);
    EXPECT_EQ(child.type, 0u);
    outer.Close();
    CIffChunk following;
    following.Open(&formStream);
    EXPECT_EQ(following.type, Code("NEXT"));
}

TEST(CIffChunk, UnterminatedStringsAndTruncatedHeadersReadNothing)
{
    const std::string data = std::string("TEXT\0\0\0\x03", 8) + "abc" + std::string("\0", 1);
    CMemStream stream(data.data(), uint32_t(data.size()));
    CIffChunk chunk;
    chunk.Open(&stream);
    LStringRef text("keep");
    EXPECT_FALSE(chunk.ReadString(&text));
    EXPECT_EQ(std::string(text.View()), "keep");

    const std::string cut("FOR", 3);
    CMemStream cutStream(cut.data(), uint32_t(cut.size()));
    CIffChunk header;
    header.Open(&cutStream);
    EXPECT_EQ(header.type, 0u);
    // A huge top-level size does not wrap the position of the following chunk.
    const std::string huge = std::string("HUGE\xFF\xFF\xFF\xFF", 8);
    CMemStream big(huge.data(), uint32_t(huge.size()));
    header.Open(&big);
    EXPECT_EQ(header.Next(), 8u + 0x100000000ull);
}

} // namespace
