#include "foundation/text/NumberParse.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

TEST(NumberParse, IntegersReadLikeThirtyTwoBitStrtolInEveryBase)
{
    EXPECT_EQ(StrToLong(nullptr), 0);
    EXPECT_EQ(StrToLong(""), 0);
    EXPECT_EQ(StrToLong(" \t\n-42xyz"), -42);
    EXPECT_EQ(StrToLong("+7"), 7);
    EXPECT_EQ(StrToLong("--7"), 0);
    EXPECT_EQ(StrToLong("0x10"), 0);
    EXPECT_EQ(StrToLong("2147483647"), 2147483647);
    EXPECT_EQ(StrToLong("2147483648"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StrToLong("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(StrToLong("-99999999999999999999999"), std::numeric_limits<int32_t>::min());

    EXPECT_EQ(StrToULong("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(StrToULong("4294967296"), 0xFFFFFFFFu);
    EXPECT_EQ(StrToULong("-5"), 0xFFFFFFFBu);
    EXPECT_EQ(StrToHex("ff"), 255u);
    EXPECT_EQ(StrToHex("0XfF g"), 255u);
    EXPECT_EQ(StrToHex("0x"), 0u);
    EXPECT_EQ(StrToHex("ffffffffffffffff0"), std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(StrToLongAuto("0x1A"), 26);
    EXPECT_EQ(StrToLongAuto("017"), 15);
    EXPECT_EQ(StrToLongAuto("019"), 1);
    EXPECT_EQ(StrToLongAuto("-0x10"), -16);
    EXPECT_EQ(StrToLongAuto("0xg"), 0);
}

TEST(NumberParse, DoubleFormsIgnoringTheProcessLocale)
{
    // A locale with a decimal comma must not change how "1.5" reads; run the check whether or
    // not such a locale is installed.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(StrToDouble("1.5"), 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());

    EXPECT_EQ(StrToDouble(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble("  -2.5e3abc"), -2500.0);
    EXPECT_DOUBLE_EQ(StrToDouble("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToDouble("1e"), 1.0);
    EXPECT_DOUBLE_EQ(StrToDouble("0x1p4"), 16.0);
    EXPECT_EQ(StrToDouble("abc"), 0.0);
    EXPECT_TRUE(std::isinf(StrToDouble("inf")));
    EXPECT_TRUE(std::isnan(StrToDouble("nan")));
    EXPECT_EQ(StrToDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToDouble("-1e99999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToDouble("1e-99999"), 0.0);
    EXPECT_GT(StrToDouble("4e-320"), 0.0); // subnormal, still read
}
