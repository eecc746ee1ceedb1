#include "foundation/core/LStrStream.h"
#include "tests/foundation/FailingAllocations.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

TEST(LStrStream, SixtyThreeBytesStayInlineOneMoreMovesToHeap)
{
    LStrStream s;
    s.Write("", 0);
    EXPECT_STREQ(s.CStr(), "");
    EXPECT_EQ(s.Length(), 0u);
    const std::string text(63, 'a');
    s.Write(text);
    EXPECT_EQ(s.HeapCapacity(), 0u);
    EXPECT_EQ(s.View(), text);
    EXPECT_EQ(s.CStr()[63], '\0');
    s.PutChar('b');
    EXPECT_EQ(s.HeapCapacity(), 130u);
    EXPECT_EQ(s.View(), text + "b");
    EXPECT_EQ(s.CStr()[64], '\0');
    EXPECT_FALSE(s.Error());
}

TEST(LStrStream, PutCharCrossesTheInlineLimitByteByByteAndTheHeapGrowsToTwiceTheNeed)
{
    LStrStream s;
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        const char c = static_cast<char>('A' + i % 26);
        s.PutChar(c);
        expected += c;
        ASSERT_EQ(s.View(), expected) << "after " << i + 1 << " bytes";
        ASSERT_EQ(s.CStr()[s.Length()], '\0');
    }
    EXPECT_EQ(s.HeapCapacity(), 526u);   // 130, then 2 x 131, then 2 x 263

    LStrStream t;
    t.Write(std::string(100, 'x'));
    const uint32_t first = t.HeapCapacity();
    t.Write(std::string(101, 'y'));   // need 202: still fits
    const uint32_t fits = t.HeapCapacity();
    t.PutChar('z');                  // need 203
    EXPECT_EQ(std::tuple(first, fits, t.HeapCapacity()), std::tuple(202u, 202u, 406u));
    EXPECT_EQ(t.View(), std::string(100, 'x') + std::string(101, 'y') + "z");
}

TEST(LStrStream, ClearKeepsTheHeapBlockResetFreesItAndItsOwnTextAppendsSafely)
{
    LStrStream s;
    s.Write(std::string(80, 'q'));
    const uint32_t capacity = s.HeapCapacity();
    s.Clear();
    EXPECT_STREQ(s.CStr(), "");
    EXPECT_EQ(s.HeapCapacity(), capacity);
    s.Write("short");
    EXPECT_STREQ(s.CStr(), "short");
    s.Write(std::string(70, 'r'));   // back to the kept block
    EXPECT_EQ(s.View(), "short" + std::string(70, 'r'));
    EXPECT_EQ(s.HeapCapacity(), capacity);
    s.Reset();
    EXPECT_EQ(s.HeapCapacity(), 0u);
    EXPECT_STREQ(s.CStr(), "");
    s << "after " << 'r' << "eset";
    EXPECT_STREQ(s.CStr(), "after reset");

    LStrStream own;
    own.Write(std::string(64, 'm'));
    for (int i = 0; i < 4; ++i)
        own.Write(own.CStr(), own.Length());
    EXPECT_EQ(own.View(), std::string(64 * 16, 'm'));
    LStrStream t;
    t.Write("inline");
    t.Write(t.CStr(), t.Length());
    EXPECT_STREQ(t.CStr(), "inlineinline");
}

TEST(LStrStream, FailedMovesGrowthsOrLengthsPast32BitsAppendNothingAndTheErrorSticks)
{
    LStrStream s;
    s.Write("kept");
    {
        FailingAllocations fail;
        s.Write(std::string(100, 'x'));
        EXPECT_TRUE(s.Error());
        EXPECT_STREQ(s.CStr(), "kept");
        s.Write("!");   // fits inline, yet the error stays
        EXPECT_TRUE(s.Error());
        EXPECT_STREQ(s.CStr(), "kept!");
    }
    s.Write("?");
    EXPECT_TRUE(s.Error());
    s.Clear();
    EXPECT_FALSE(s.Error());

    LStrStream g;
    const std::string first(70, 'a');
    g.Write(first);
    {
        FailingAllocations fail;
        g.Write(std::string(200, 'b'));
    }
    EXPECT_TRUE(g.Error());
    EXPECT_EQ(g.View(), first);
    g.Reset();
    EXPECT_FALSE(g.Error());
    g.Write("x");
    const char dummy = 0;
    g.Write(&dummy, UINT32_MAX);   // never read: the size check comes first
    EXPECT_TRUE(g.Error());
    EXPECT_STREQ(g.CStr(), "x");
}

