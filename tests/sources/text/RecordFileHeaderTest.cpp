#include "sources/text/RecordFileHeader.h"

#include "foundation/core/LStrStream.h"
#include "sources/CSourceType.h"
#include "tests/sources/TextSourceProbe.h"

#include <gtest/gtest.h>

TEST(RecordFileHeader, ExactBytes)
{
    const struct {
        const char* name;
        float ratio;
        uint32_t rate;
        const char* bytes;
    } cases[] = {
        {"telk", 0.5f, 120, "dn telk\rfr 0.5\rsr 120\r"},
        {"Quorvin_H", 1.0f / 3.0f, 250, "dn Quorvin_H\rfr 0.3333\rsr 250\r"},
        {"", 1.0f, 1, "dn \rfr 1\rsr 1\r"},
        {"generic_sound", 0.0f, 4294967295u, "dn generic_sound\rfr 0\rsr 4294967295\r"},
    };
    for (const auto& c : cases) {
        LStrStream out;
        WriteRecordFileHeader(out, c.name, c.ratio, c.rate);
        EXPECT_EQ(out.View(), c.bytes);
    }
}

TEST(RecordFileHeader, ParsesBackToTheSameSettings)
{
    LStrStream out;
    WriteRecordFileHeader(out, "Quorvin_H", 0.25f, 500);
    TextSourceProbe source;
    EXPECT_EQ(source.Feed(out.View()), "EEE");
    EXPECT_EQ(source.TypeName(), "Quorvin_H");
    EXPECT_EQ(source.SourceType(), FindSourceType("Quorvin_H"));
    EXPECT_EQ(source.FcRatio(), 0.25f);
    EXPECT_EQ(source.SampleRate(), 500u);
    EXPECT_TRUE(source.AtLineBoundary()); // received bytes follow at a line start
}
