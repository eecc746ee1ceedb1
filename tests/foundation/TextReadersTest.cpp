#include "foundation/streams/CMemStream.h"
#include "foundation/streams/CUTF8TextReader.h"

#include <gtest/gtest.h>

#include <string>

TEST(CUTF8TextReader, SkipsAByteOrderMarkOnlyAndDeliversNulBytes)
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

    const std::string text("a\0bc", 4);
    CMemStream nulStream(text.data(), uint32_t(text.size()));
    CUTF8TextReader nulReader(&nulStream);
    c = 1;
    ASSERT_TRUE(nulReader.ReadByte(c));
    ASSERT_TRUE(nulReader.ReadByte(c));
    EXPECT_EQ(c, '\0');
    char rest[8];
    EXPECT_EQ(nulReader.Read(rest, 8), 2u);
    EXPECT_EQ(std::string(rest, 2), "bc");
}
