#include "foundation/text/FourCC.h"
#include "foundation/text/TextCompare.h"

#include <gtest/gtest.h>

namespace {
int Sign(int v)
{
    return (v > 0) - (v < 0);
}
} // namespace

TEST(TextCompare, NullIsEmptyPrefixesAndAsciiOnlyCaseFolding)
{
    EXPECT_TRUE(IsEmptyString(nullptr));
    EXPECT_TRUE(IsEmptyString(""));
    EXPECT_FALSE(IsEmptyString(" "));
    EXPECT_EQ(StrCompare(nullptr, ""), 0);
    EXPECT_LT(StrCompare(nullptr, "a"), 0);
    EXPECT_GT(StrCompare("b", "a"), 0);

    EXPECT_EQ(StrPrefixCompare("abc", ""), 1);
    EXPECT_EQ(StrPrefixCompare("", nullptr), 0);
    EXPECT_EQ(StrPrefixCompare(nullptr, "a"), -1);
    EXPECT_EQ(StrPrefixCompare("abc", "ab"), 0);
    EXPECT_EQ(StrPrefixCompare("abc", "abc"), 0);
    EXPECT_EQ(Sign(StrPrefixCompare("abd", "abc")), 1);
    EXPECT_EQ(Sign(StrPrefixCompare("ab", "abc")), -1);
    EXPECT_EQ(Sign(StrPrefixCompare("b", "abc")), 1);

    EXPECT_TRUE(StrEqualNoCase(nullptr, ""));
    EXPECT_FALSE(StrEqualNoCase("", "a"));
    EXPECT_TRUE(StrEqualNoCase("Hello", "hELLO"));
    EXPECT_FALSE(StrEqualNoCase("Hello", "Hell"));
    EXPECT_FALSE(StrEqualNoCase("Hell", "Hello"));
    EXPECT_FALSE(StrEqualNoCase("\xC3\xA9", "\xC3\x89")); // no case folding beyond ASCII
}

TEST(FourCC, CodesAndTexts)
{
    EXPECT_EQ(FourCCToString(0x43535423u).View(), "CST#");
    EXPECT_EQ(FourCCToString(0x4A502020u).View(), "JP");
    EXPECT_EQ(FourCCToString(0x20412042u).View(), "A B");
    EXPECT_EQ(FourCCToString(0x41004243u).View(), "A");
    EXPECT_EQ(FourCCToString(0).View(), "");
    EXPECT_EQ(StringToFourCC("JP"), 0x4A502020u);
    EXPECT_EQ(StringToFourCC("TLYOXX"), 0x544C594Fu);
    EXPECT_EQ(StringToFourCC(""), 0u);
    EXPECT_EQ(StringToFourCC(nullptr), 0u);
    EXPECT_EQ(StringToOSType(""), 0x20202020u);
    EXPECT_EQ(StringToOSType("TEXT"), 0x54455854u);
    EXPECT_EQ(StringToFourCC("\xFF\x80"), 0xFF802020u);
    EXPECT_EQ(Swap32(0x11223344u), 0x44332211u);
}
