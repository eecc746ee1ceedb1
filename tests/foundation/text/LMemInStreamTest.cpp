#include "foundation/text/LMemInStream.h"

#include <gtest/gtest.h>

#include <string>

TEST(LMemInStream, NulEndsByteReadsButNotBlockReads)
{
    const char bytes[] = {'a', '\0', 'b'};
    LMemInStream in(bytes, 3);
    char c = 0;
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_EQ(c, 'a');
    EXPECT_FALSE(in.ReadByte(c));
    EXPECT_FALSE(in.ReadByte(c)); // stays stopped at the NUL
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), std::string("\0b", 2));
    EXPECT_EQ(in.Read(buffer, 8), 0u);
}

TEST(LMemInStream, UnreadNeverPassesTheBeginningAndANullBlockReadsAsEmpty)
{
    LMemInStream in("xy", 2);
    in.Unread();
    char c = 0;
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_EQ(c, 'x');
    in.Unread();
    in.Unread();
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_EQ(c, 'x');

    LMemInStream none(nullptr, 100);
    EXPECT_FALSE(none.ReadByte(c));
    EXPECT_EQ(none.Remaining(), 0u);
    char buffer[4];
    EXPECT_EQ(none.Read(buffer, 4), 0u);
    none.Init("abc", 0);
    EXPECT_FALSE(none.ReadByte(c));
}
