#include "sources/text/RecordFileHeader.h"

#include "foundation/core/LStrStream.h"
#include "sources/CSourceType.h"
#include "tests/sources/TextSourceProbe.h"
#include "tests/support/TempHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// Text plays; nothing, a zero byte within the first 4096 bytes, a folder or a missing file
// is named for what it is. A zero byte further on, or after the recorder's own header (a
// device's line noise), is the recording's own business.
TEST(RecordFileHeader, ProblemsOfFilesGivenTheRecordExtension)
{
    TempHome home;
    const std::string text = "dn generic_sound\rsr 100\r8000\r";
    const struct {
        const char* name;
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"take.tks", text, ""},
        {"late zero.tks", std::string(4096, '1') + std::string(1, '\0'), ""},
        {"line noise.tks", text + std::string("\0\0", 2) + "8000\r", ""},
        {"empty.tks", "", "the file is empty"},
        {"wave.tks", std::string("RIFF\x24\0\0\0WAVE", 12), "it is not a recording this program can play"},
        {"zero at the edge.tks", std::string(4095, '1') + std::string(1, '\0'), "it is not a recording this program can play"},
    };
    for (const auto& c : cases) {
        const std::string path = home.path() + "/" + c.name;
        std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_EQ(RecordFileProblem(path), c.problem) << c.name;
    }
    std::filesystem::create_directory(home.path() + "/folder.tks");
    EXPECT_EQ(RecordFileProblem(home.path() + "/folder.tks"), "it is a folder");
    EXPECT_FALSE(RecordFileProblem(home.path() + "/missing.tks").empty());
}
