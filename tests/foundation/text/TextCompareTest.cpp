#include "foundation/text/FourCC.h"
#include "foundation/text/TextCompare.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
int Sign(int v)
{
    return (v > 0) - (v < 0);
}
} // namespace

TEST(TextCompare, NullIsEmptyPrefixesAndAsciiOnlyCaseFolding)
{
    EXPECT_TRUE(IsEmptyString(nullptr) && IsEmptyString("") && !IsEmptyString(" "));
    EXPECT_EQ(std::tuple(Sign(StrCompare(nullptr, "")), Sign(StrCompare(nullptr, "a")), Sign(StrCompare("b", "a"))),
              std::tuple(0, -1, 1));

    const std::tuple<const char*, const char*, int> prefixes[] = {{"abc", "", 1}, {"", nullptr, 0}, {nullptr, "a", -1},
        {"abc", "ab", 0}, {"abc", "abc", 0}, {"abd", "abc", 1}, {"ab", "abc", -1}, {"b", "abc", 1}};
    for (const auto& [a, b, sign] : prefixes)
        EXPECT_EQ(Sign(StrPrefixCompare(a, b)), sign) << (a ? a : "null") << " " << (b ? b : "null");
    EXPECT_EQ(StrPrefixCompare("abc", ""), 1);
    EXPECT_EQ(StrPrefixCompare(nullptr, "a"), -1);

    // No case folding beyond ASCII.
    const std::tuple<const char*, const char*, bool> equal[] = {{nullptr, "", true}, {"", "a", false},
        {"Hello", "hELLO", true}, {"Hello", "Hell", false}, {"Hell", "Hello", false}, {"\xC3\xA9", "\xC3\x89", false}};
    for (const auto& [a, b, same] : equal)
        EXPECT_EQ(StrEqualNoCase(a, b), same) << (a ? a : "null") << " " << b;
}

TEST(FourCC, CodesAndTexts)
{
    for (const auto& [code, text] : {std::pair(0x43535423u, "CST#"), {0x4A502020u, "JP"}, {0x20412042u, "A B"},
                                     {0x41004243u, "A"}, {0u, ""}})
        EXPECT_EQ(FourCCToString(code).View(), text) << text;
    for (const auto& [text, code] : {std::pair<const char*, uint32_t>("JP", 0x4A502020u), {"TLYOXX", 0x544C594Fu}, {"", 0u},
                                     {nullptr, 0u}, {"\xFF\x80", 0xFF802020u}})
        EXPECT_EQ(StringToFourCC(text), code) << (text ? text : "null");
    EXPECT_EQ(StringToOSType(""), 0x20202020u);
    EXPECT_EQ(StringToOSType("TEXT"), 0x54455854u);
    EXPECT_EQ(Swap32(0x11223344u), 0x44332211u);
}
