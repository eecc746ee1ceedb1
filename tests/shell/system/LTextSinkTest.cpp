#include "shell/system/LTextSink.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(LTextSink, CutsAtCapacityStaysCutAndFillsExactly)
{
    char buffer[9];
    std::memset(buffer, 'x', sizeof buffer);
    LTextSink sink(buffer, 8);
    EXPECT_STREQ(sink.GetText(), "");
    sink.Write("0123456789", 10);
    EXPECT_EQ(std::memcmp(buffer, "0123456\0x", 9), 0); // nothing written past the capacity
    EXPECT_EQ(sink.Length(), 7u);
    EXPECT_TRUE(sink.Truncated());
    sink.Write("ab", 2);
    EXPECT_STREQ(sink.GetText(), "0123456");
    sink.Write("", 0);
    EXPECT_TRUE(sink.Truncated());
    EXPECT_EQ(sink.Clear(), 0);
    EXPECT_FALSE(sink.Truncated());
    EXPECT_STREQ(sink.GetText(), "");

    // Seven bytes and the terminator fill the eight exactly: no truncation yet.
    sink.Write("abc", 3);
    sink.Write("defg", 4);
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(sink.Truncated());
    sink.Write("", 0);
    EXPECT_FALSE(sink.Truncated());
    sink.Write("h", 1);
    EXPECT_TRUE(sink.Truncated());
    EXPECT_EQ(sink.Reset(), 0);
    sink.Write("h", 1);
    EXPECT_STREQ(buffer, "h");
}

TEST(LTextSink, WithoutCapacityWritesNothing)
{
    char guard[2] = {'g', 'g'};
    LTextSink none(guard, 0);
    EXPECT_EQ(guard[0], 'g');
    none.Write("", 0);
    EXPECT_FALSE(none.Truncated());
    none.Write("abc", 3);
    EXPECT_TRUE(none.Truncated());
    EXPECT_EQ(guard[0], 'g');
    none.Clear();
    EXPECT_EQ(guard[0], 'g');

    LTextSink nullBuffer(nullptr, 16); // no buffer: no capacity
    nullBuffer.Write("abc", 3);
    EXPECT_TRUE(nullBuffer.Truncated());

    char one[1] = {'g'};
    LTextSink onlyNul(one, 1);
    EXPECT_EQ(one[0], '\0');
    onlyNul.Write("a", 1);
    EXPECT_TRUE(onlyNul.Truncated());
    EXPECT_EQ(one[0], '\0');
}
