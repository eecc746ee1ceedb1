#include "foundation/text/NumberFormat.h"

#include "foundation/core/LStrStream.h"

#include <gtest/gtest.h>

#include <tuple>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

std::string WithUnit(float value)
{
    LStrStream out;
    FormatWithUnit(out, value);
    return std::string(out.View());
}

std::string Trim(int32_t decimals, double value)
{
    return std::string(DoubleToStringTrim(decimals, value).View());
}

std::string Fixed(int32_t decimals, double value)
{
    return std::string(DoubleToString(decimals, value).View());
}

std::string Hex(uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits)
{
    return std::string(HexToString(value, prefix, letters, minDigits).View());
}

} // namespace

TEST(NumberFormat, DoubleToStringTrimsOrKeepsEveryDigit)
{
    // Negative decimals read as 6.
    const std::tuple<int32_t, double, const char*> trimmed[] = {{3, 1.5, "1.5"}, {2, 2.0, "2"}, {3, -0.0001, "0"},
        {0, 100.0, "100"}, {0, -0.3, "-0"}, {20, 0.1, "0.1"}, {20, 1.0 / 3.0, "0.333333333333333"}, {2, -1.005, "-1"},
        {1, 10.0, "10"}, {-1, 0.25, "0.25"}};
    for (const auto& [decimals, value, text] : trimmed)
        EXPECT_EQ(Trim(decimals, value), text) << decimals << " " << value;
    const std::tuple<int32_t, double, const char*> fixed[] = {{2, 1.5, "1.50"}, {0, 2.5, "2"}, {0, -0.0, "-0"},
        {-3, 1.0, "1.000000"}};
    for (const auto& [decimals, value, text] : fixed)
        EXPECT_EQ(Fixed(decimals, value), text) << decimals << " " << value;
    const std::string huge = Fixed(15, std::numeric_limits<double>::max());
    EXPECT_EQ(huge.size(), 309u + 1u + 15u);
    EXPECT_EQ(huge.substr(0, 6), "179769");
    EXPECT_EQ(Fixed(15, -std::numeric_limits<double>::max()).size(), 326u);
    EXPECT_EQ(Fixed(2, std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(Trim(2, -std::numeric_limits<double>::infinity()), "-inf");
}

TEST(NumberFormat, NoLocaleDecimalCommaUnitPrefixesIntegersAndHex)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(Trim(3, 1.25), "1.25");
    std::setlocale(LC_NUMERIC, saved.c_str());

    // At most four steps up.
    const std::pair<float, const char*> units[] = {{0.0005f, "500u"}, {0.5f, "500m"}, {1500.0f, "1.5k"}, {1.0f, "1"},
        {999.0f, "999"}, {12.34f, "12.3"}, {2.5e6f, "2.5M"}, {1e15f, "1000T"}, {0.0f, "0"}, {-3.0f, "-3"}};
    for (const auto& [value, text] : units)
        EXPECT_EQ(WithUnit(value), text) << value;
    const UnitScale tiny = ChooseUnitScale(1e-15f); // at most four steps down
    EXPECT_STREQ(tiny.prefix, "p");
    EXPECT_EQ(tiny.decimals, 3);
    EXPECT_FLOAT_EQ(tiny.scale, 1e12f);
    EXPECT_EQ(std::pair(std::string(ChooseUnitScale(1500.0f).prefix), ChooseUnitScale(1500.0f).decimals), std::pair(std::string("k"), 2));

    EXPECT_EQ(LongToString(-2147483648LL).View(), "-2147483648");
    EXPECT_EQ(LongToString(std::numeric_limits<int64_t>::min()).View(), "-9223372036854775808");
    EXPECT_EQ(ULongToString(std::numeric_limits<uint64_t>::max()).View(), "18446744073709551615");
    EXPECT_EQ(Hex(42, HexPrefix::Yes, HexCase::Upper, 4), "0x002A");
    EXPECT_EQ(Hex(42, HexPrefix::No, HexCase::Lower, 0) + " " + Hex(0, HexPrefix::No, HexCase::Lower, 0) + " " +
                  Hex(0xABCDEF12u, HexPrefix::No, HexCase::Lower, 2),
              "2a 0 abcdef12");
    EXPECT_EQ(Hex(1, HexPrefix::No, HexCase::Lower, 1000).size(), 64u);
    LStrStream out;
    out.Write("x=");
    WriteLong(-5, out);
    EXPECT_EQ(out.View(), "x=-5");
}
