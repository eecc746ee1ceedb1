#include "controls/edit/NumberEntry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(NumberEntry, CutsTypedTextAtTheFirstCharacterOutOfForm)
{
    struct Case { const char* text; bool point; const char* kept; };
    const Case cases[] = {
        {"1.2.3", true, "1.2"}, {"1.2", false, "1"}, {"-12", true, "-12"}, {"1-2", true, "1"},
        {"--1", true, "-"}, {"abc", true, ""}, {"", true, ""}, {"12e5", true, "12"},
        {".5", true, ".5"}, {"7 8", false, "7"}, {"\xC3\xA9", true, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberEntry::CutToNumber(c.text, c.point), c.kept) << c.text;
}

TEST(NumberEntry, StepsStayInsideTheRange)
{
    EXPECT_EQ(NumberEntry::StepBy(0, 1, 1, 0, 100), 1);
    EXPECT_EQ(NumberEntry::StepBy(99.5, 1, 1, 0, 100), 100);
    EXPECT_EQ(NumberEntry::StepBy(0, -1, 1, 0, 100), 0);
    EXPECT_EQ(NumberEntry::StepBy(0, 36, 1, 0, 100), 36);
    EXPECT_EQ(NumberEntry::StepBy(0, 2147483647, 1e30f, -1, 1), 1);
    // The product is single precision: 0.1 x 3 as a float, added in double.
    EXPECT_EQ(NumberEntry::StepBy(0, 3, 0.1f, 0, 1), static_cast<double>(3 * 0.1f));
    EXPECT_EQ(NumberEntry::Limit(std::nan(""), -5, 5), -5);
    EXPECT_FALSE(std::signbit(NumberEntry::Limit(-0.0, 0, 5)));
    EXPECT_EQ(NumberEntry::Limit(std::numeric_limits<double>::infinity(), -5, 5), 5);
}

TEST(NumberEntry, ExternalStepsScaleWithTheRange)
{
    EXPECT_EQ(NumberEntry::ScaleExternalStep(20, 0, 1000, 1), 20);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(5, 0, 1000, 1), 5);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(-15, 0, 1000, 1), -15);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(10, 0, 100, 1), 1);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(19, 0, 100, 1), 1);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(-19, 0, 100, 1), -1);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(10, 0, 25000, 1), 250);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(10, 0, 0, 0), 1);
    EXPECT_EQ(NumberEntry::ScaleExternalStep(2147483647, 0, 1e30f, 1), 2147483647);
}

TEST(NumberEntry, KeyStepsUseATenthOfTheRangeWithoutShift)
{
    EXPECT_EQ(NumberEntry::KeyStepIncrement(false, 1, 0, 1000), 100);
    EXPECT_EQ(NumberEntry::KeyStepIncrement(true, 1, 0, 1000), 1);
    EXPECT_EQ(NumberEntry::KeyStepIncrement(false, 5, 0, 10), 5);
    EXPECT_EQ(NumberEntry::KeyStepIncrement(false, 0, 0, 0), 0);
}

TEST(NumberEntry, WheelStepFollowsTheDigitUnderThePointer)
{
    // "12.34" 50 pixels wide: 10 pixels per character.
    EXPECT_EQ(NumberEntry::WheelStepAt("12.34", 50, 5, 2), 10);
    EXPECT_EQ(NumberEntry::WheelStepAt("12.34", 50, 15, 2), 1);
    EXPECT_EQ(NumberEntry::WheelStepAt("12.34", 50, 25, 2), 1);      // the point
    EXPECT_DOUBLE_EQ(NumberEntry::WheelStepAt("12.34", 50, 35, 2), 0.1);
    EXPECT_DOUBLE_EQ(NumberEntry::WheelStepAt("12.34", 50, 45, 2), 0.01);
    EXPECT_DOUBLE_EQ(NumberEntry::WheelStepAt("12.34", 50, 500, 2), 0.01);
    EXPECT_EQ(NumberEntry::WheelStepAt("12.34", 50, -30, 2), 10);
    EXPECT_EQ(NumberEntry::WheelStepAt("-123", 40, 0, 0), 100);      // never the sign
    EXPECT_EQ(NumberEntry::WheelStepAt("", 40, 0, 0), 0);
    EXPECT_EQ(NumberEntry::WheelStepAt("5", 0, 0, 0), 0);
}
