#include "foundation/text/NumberParse.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

TEST(NumberParse, IntegersReadLikeThirtyTwoBitStrtolInEveryBase)
{
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
    const std::pair<const char*, int64_t> longs[] = {{nullptr, 0}, {"", 0}, {" \t\n-42xyz", -42}, {"+7", 7}, {"--7", 0},
        {"0x10", 0}, {"2147483647", kMax}, {"2147483648", kMax}, {"-2147483648", kMin}, {"-99999999999999999999999", kMin}};
    for (const auto& [text, value] : longs)
        EXPECT_EQ(StrToLong(text), value) << (text ? text : "null");
    const std::pair<const char*, uint64_t> unsigneds[] = {{"4294967295", 0xFFFFFFFFu}, {"4294967296", 0xFFFFFFFFu},
        {"-5", 0xFFFFFFFBu}};
    for (const auto& [text, value] : unsigneds)
        EXPECT_EQ(StrToULong(text), value) << text;
    const std::pair<const char*, uint64_t> hexes[] = {{"ff", 255}, {"0XfF g", 255}, {"0x", 0},
        {"ffffffffffffffff0", std::numeric_limits<uint64_t>::max()}};
    for (const auto& [text, value] : hexes)
        EXPECT_EQ(StrToHex(text), value) << text;
    const std::pair<const char*, int64_t> autos[] = {{"0x1A", 26}, {"017", 15}, {"019", 1}, {"-0x10", -16}, {"0xg", 0}};
    for (const auto& [text, value] : autos)
        EXPECT_EQ(StrToLongAuto(text), value) << text;
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

    constexpr double kInf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, double> doubles[] = {{nullptr, 0.0}, {"  -2.5e3abc", -2500.0}, {"+.5", 0.5}, {"1e", 1.0},
        {"0x1p4", 16.0}, {"abc", 0.0}, {"inf", kInf}, {"1e999", kInf}, {"-1e99999", -kInf}, {"1e-99999", 0.0}};
    for (const auto& [text, value] : doubles)
        EXPECT_EQ(StrToDouble(text), value) << (text ? text : "null");
    EXPECT_TRUE(std::isnan(StrToDouble("nan")));
    EXPECT_GT(StrToDouble("4e-320"), 0.0); // subnormal, still read
}
