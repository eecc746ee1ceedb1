#include "foundation/text/FourCC.h"
#include "foundation/text/LStrList.h"
#include "platform/resources/ResourceFile.h"
#include "shell/resources/LRegionalResSource.h"
#include "tests/support/MemResourceSource.h"
#include "ui/files/CFileTypeList.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr uint32_t Code(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 | uint32_t(uint8_t(text[2])) << 8 |
           uint32_t(uint8_t(text[3]));
}

} // namespace

TEST(CFileTypeList, TheShippedDocumentListReadsExactly)
{
    const int saved = plat::CurrentResourceFile();
    plat::ResourceStatus status;
    const int ref = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
    ASSERT_GT(ref, 0);
    plat::UseResourceFile(saved);
    {
        LRegionalResSource source(ref, kRegionUS);
        LStrList list({0, "SNXFFLT"}, &source, kStrListDialogTexts);
        CFileTypeList types(list);
        ASSERT_EQ(types.Count(), 2u);
        EXPECT_EQ(types.GetName(0), "snx");
        EXPECT_EQ(types.GetLabel(0), "Sonalyx document");
        EXPECT_EQ(types.GetCreator(0), Code("YSNX"));
        EXPECT_EQ(types.GetType(0), Code("SNXD"));
        EXPECT_EQ(types.GetName(1), "tks");
        EXPECT_EQ(types.GetType(1), Code("TEXT"));
        EXPECT_EQ(types.GetLabel(1), "Raw stream recording");
    }
    plat::CloseResourceFile(ref);
    plat::UseResourceFile(saved);
}

TEST(CFileTypeList, ShortItemsAreSkippedAndCodesPadded)
{
    MemResourceSource resources;
    const char bytes[] = "\0\4"
                         "ABCD\nTXT\ntxt\nText\0"  // short type code
                         "ABCD\nTEXT\nlog\n\0"     // three lines: skipped
                         "ABCDEF\nWAVE\nwav\n\n\0" // empty fourth line ended by a line end
                         "X\r\nY\r\n*\r\nAny file"; // CR LF line ends
    resources.Add(kStrListDialogTexts, 128, "TYPES", std::string(bytes, sizeof bytes - 1));
    LStrList list({0, "TYPES"}, &resources, kStrListDialogTexts);
    CFileTypeList types(list);
    ASSERT_EQ(types.Count(), 3u);
    EXPECT_EQ(types.GetType(0), Code("TXT "));
    EXPECT_EQ(types.GetName(1), "wav");
    EXPECT_EQ(types.GetLabel(1), "");
    EXPECT_EQ(types.GetCreator(1), Code("ABCD"));
    EXPECT_EQ(types.GetName(2), "*");
    EXPECT_EQ(types.GetCreator(2), Code("X   "));
    EXPECT_EQ(types.GetLabel(2), "Any file");

    EXPECT_EQ(types.GetName(5), "");
    EXPECT_EQ(types.GetLabel(5), "");
    EXPECT_EQ(types.GetCreator(5), Code("????"));
    EXPECT_EQ(types.GetType(5), Code("TEXT"));
}

TEST(CFileTypeList, AMissingListHasNoEntries)
{
    MemResourceSource resources;
    LStrList list({0, "NONE"}, &resources, kStrListDialogTexts);
    CFileTypeList types(list);
    EXPECT_EQ(types.Count(), 0u);
    types.AddEntry(LStringRef("csv"), LStringRef("CSV"), Code("YSNX"), Code("TEXT"));
    EXPECT_EQ(types.GetName(0), "csv");
}
