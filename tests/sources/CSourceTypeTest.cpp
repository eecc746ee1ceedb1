#include "sources/CSourceType.h"

#include <gtest/gtest.h>

TEST(CSourceType, TableHasItsFiveRowsInOrder)
{
    ASSERT_EQ(SourceTypeCount(), 5u);
    const char* names[] = {"", "generic_sound", "Wiimote", "Quorvin_H", "telk"};
    const uint32_t bits[] = {10, 16, 8, 10, 8};
    for (uint32_t i = 0; i < 5; ++i) {
        EXPECT_STREQ(SourceTypeRow(i)->name, names[i]);
        EXPECT_EQ(SourceTypeRow(i)->bits, bits[i]);
        EXPECT_EQ(FindSourceType(names[i]), SourceTypeRow(i));
    }
    EXPECT_EQ(SourceTypeRow(1)->scale, 100.0f);
    EXPECT_EQ(SourceTypeRow(7), SourceTypeRow(0));
}

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
    const CSourceType* plain = SourceTypeRow(0);
    EXPECT_EQ(plain->ChannelValue(0, 512), 0.0f);
    EXPECT_EQ(plain->ChannelValue(3, 1023), 0.4990234375f);
    EXPECT_EQ(plain->ChannelValue(4, 1023), 1023.0f / 1024.0f);
    const CSourceType* telk = FindSourceType("telk");
    EXPECT_EQ(telk->ChannelValue(0, 0x80), 0.0f);
    EXPECT_EQ(telk->ChannelValue(0, 0xFF), 0.9921875f);
    EXPECT_EQ(telk->ChannelValue(2, 0x80), 0.5f);
    const CSourceType* sound = FindSourceType("generic_sound");
    EXPECT_EQ(sound->ChannelValue(1, 0), -1.0f);
    EXPECT_EQ(sound->ChannelValue(7, 0x8000), 0.5f);
    const CSourceType* quorvin = FindSourceType("Quorvin_H");
    EXPECT_EQ(quorvin->chan[1].unit, "V");
    EXPECT_EQ(quorvin->chan[1].min, -0.0001f);
    EXPECT_EQ(quorvin->ChannelValue(2, 1024), 1.0f); // volts channels are not centred
}
