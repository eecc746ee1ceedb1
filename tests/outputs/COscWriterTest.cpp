#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Message(std::string_view address, float value)
{
    LByteBuffer block;
    {
        CMemStream stream(block);
        WriteOscFloatMessage(stream, address, value);
        EXPECT_EQ(stream.Error(), 0u);
    }
    return std::vector<uint8_t>(block.Data(), block.Data() + block.Size());
}

} // namespace

TEST(COscWriter, FloatMessagesPadEveryPartToFourBytes)
{
    EXPECT_EQ(Message("/snx/f1", 0.25f), (std::vector<uint8_t>{0x2F, 0x73, 0x6E, 0x78, 0x2F, 0x66, 0x31, 0x00,
                                                              0x2C, 0x66, 0x00, 0x00, 0x3E, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Message("/a/b", 1.0f), (std::vector<uint8_t>{'/', 'a', '/', 'b', 0, 0, 0, 0, ',', 'f', 0, 0,
                                                           0x3F, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Message("/x", -2.0f), (std::vector<uint8_t>{'/', 'x', 0, 0, ',', 'f', 0, 0, 0xC0, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Message("", 0.0f).size(), 12u);
}

TEST(COscWriter, PadToWordCountsFromTheElementStartAndAlwaysWritesOneByte)
{
    LByteBuffer block;
    CMemStream stream(block);
    const uint8_t lead[3] = {9, 9, 9};
    stream.Write(lead, 3);
    COscWriter writer;
    writer.BeginElement(stream);
    writer.WriteTypeTagStart();
    writer.PadToWord();
    EXPECT_EQ(stream.position, 3u + 4u);
    writer.PadToWord();
    EXPECT_EQ(stream.position, 3u + 8u);
    writer.EndElement(); // an element without a size prefix is left as it is
    EXPECT_EQ(stream.position, 3u + 8u);
}
