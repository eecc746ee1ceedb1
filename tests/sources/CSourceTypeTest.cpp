#include "sources/CSourceType.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(CSourceType, UnknownEmptyAndNullNamesSelectRowZero)
{
    EXPECT_EQ(FindSourceType("nope"), SourceTypeRow(0));
    EXPECT_EQ(FindSourceType(""), SourceTypeRow(0));
    EXPECT_EQ(FindSourceType(nullptr), SourceTypeRow(0));
    EXPECT_EQ(FindSourceType("TELK"), SourceTypeRow(0)); // case-sensitive
    EXPECT_EQ(FindSourceType("telk "), SourceTypeRow(0));
}

TEST(CSourceType, RawSamplesMapToChannelValues)
{
    const std::tuple<const char*, uint32_t, uint32_t, float> cases[] = {
        {"", 0, 512, 0.0f},         {"", 3, 1023, 0.4990234375f},      {"", 4, 1023, 1023.0f / 1024.0f},
        {"telk", 0, 0x80, 0.0f},    {"telk", 0, 0xFF, 0.9921875f},     {"telk", 2, 0x80, 0.5f},
        {"generic_sound", 1, 0, -1.0f}, {"generic_sound", 7, 0x8000, 0.5f},
        {"Quorvin_H", 2, 1024, 1.0f}, // volts channels are not centred
    };
    for (const auto& [type, channel, raw, value] : cases)
        EXPECT_EQ(FindSourceType(type)->ChannelValue(channel, raw), value) << type << " " << channel << " " << raw;
    const CSourceType* quorvin = FindSourceType("Quorvin_H");
    EXPECT_EQ(quorvin->chan[1].unit, "V");
    EXPECT_EQ(quorvin->chan[1].min, -0.0001f);
}
