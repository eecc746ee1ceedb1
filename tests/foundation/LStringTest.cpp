#include "foundation/CStrView.h"
#include "foundation/LString.h"
#include "foundation/LStringRef.h"
#include "foundation/StrEqual.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(LString, MakeCopiesExactlyLengthBytesAndAddsNul)
{
    LStringRef s(LString::Make("abcdef", 3));
    EXPECT_EQ(s.Length(), 3u);
    EXPECT_EQ(std::memcmp(s.Text(), "abc\0", 4), 0);
}

TEST(LString, NullTextOrZeroLengthGiveSharedEmpty)
{
    EXPECT_EQ(LString::Make(nullptr, 5), LString::Empty());
    EXPECT_EQ(LString::Make("abc", 0), LString::Empty());
    EXPECT_EQ(LString::Make(""), LString::Empty());
    EXPECT_STREQ(LString::Empty()->Text(), "");
}

TEST(LStringRef, EqualsComparesText)
{
    LStringRef a("hello");
    LStringRef b(std::string_view("hello"));
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_TRUE(LStringRef::Equals(a, b));
    EXPECT_TRUE(LStringRef::Equals(LStringRef(), LStringRef("")));
    EXPECT_FALSE(LStringRef::Equals(a, LStringRef("hell")));
}

TEST(CStrView, NullCStrGivesEmptyText)
{
    CStrView v(static_cast<const char*>(nullptr));
    EXPECT_EQ(v.length, 0u);
    EXPECT_STREQ(v.text, "");
}

TEST(StrEqual, NullEqualsEmpty)
{
    EXPECT_TRUE(StrEqual(nullptr, ""));
    EXPECT_TRUE(StrEqual("", nullptr));
    EXPECT_TRUE(StrEqual(nullptr, nullptr));
    EXPECT_FALSE(StrEqual("a", nullptr));
    EXPECT_FALSE(StrEqual(nullptr, "a"));
    EXPECT_TRUE(StrEqual("abc", "abc"));
    EXPECT_FALSE(StrEqual("abc", "abd"));
}
