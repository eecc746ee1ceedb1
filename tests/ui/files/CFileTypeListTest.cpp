#include "foundation/text/FourCC.h"
#include "foundation/text/LStrList.h"
#include "platform/resources/ResourceFile.h"
#include "shell/resources/LRegionalResSource.h"
#include "tests/support/MemResourceSource.h"
#include "ui/files/CFileTypeList.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// An entry as "name|label|creator|type".
std::string Entry(const CFileTypeList& types, uint32_t i)
{
    const auto code = [](uint32_t c) { return std::string{char(c >> 24), char(c >> 16), char(c >> 8), char(c)}; };
    return std::string(types.GetName(i).View()) + "|" + std::string(types.GetLabel(i).View()) + "|" +
           code(types.GetCreator(i)) + "|" + code(types.GetType(i));
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
        EXPECT_EQ(Entry(types, 0), "snx|Sonalyx document|YSNX|SNXD");
        EXPECT_EQ(Entry(types, 1).substr(0, 25), "tks|Raw stream recording|");
        EXPECT_EQ(types.GetType(1), StringToFourCC("TEXT"));
    }
    plat::CloseResourceFile(ref);
    plat::UseResourceFile(saved);
}

TEST(CFileTypeList, ShortItemsAreSkippedCodesPaddedAndAMissingListHasNoEntries)
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
    EXPECT_EQ(Entry(types, 0), "txt|Text|ABCD|TXT ");
    EXPECT_EQ(Entry(types, 1), "wav||ABCD|WAVE");
    EXPECT_EQ(Entry(types, 2), "*|Any file|X   |Y   ");
    EXPECT_EQ(Entry(types, 5), "||????|TEXT");
    // A missing list has no entries until one is added.
    LStrList missing({0, "NONE"}, &resources, kStrListDialogTexts);
    CFileTypeList none(missing);
    EXPECT_EQ(none.Count(), 0u);
    none.AddEntry(LStringRef("csv"), LStringRef("CSV"), StringToFourCC("YSNX"), StringToFourCC("TEXT"));
    EXPECT_EQ(none.GetName(0), "csv");
}

