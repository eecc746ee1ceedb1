#include "foundation/text/LStrList.h"
#include "shell/resources/LRegionalResSource.h"
#include "tests/support/ProgramResourceFile.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The resource file packed beside the test program, opened through the program's own route.
class ShippedResources : public testing::Test {
protected:
    std::vector<std::string> Items(const char* name, uint32_t region = kRegionUS)
    {
        LRegionalResSource source(fFile.Ref(), region);
        LStrList list({0, name}, &source, kStrListDialogTexts);
        std::vector<std::string> items;
        for (uint32_t i = 0; i < list.Count(); ++i)
            items.emplace_back(list.GetItem(i).View());
        return items;
    }

    ProgramResourceFile fFile;
};

size_t LineCount(const std::string& item)
{
    size_t lines = 1;
    for (char c : item)
        lines += c == '\n';
    return lines;
}

} // namespace

TEST_F(ShippedResources, FileTypeListsHoldFourLinesAnItem)
{
    for (const char* name : {"SNXFFLT", "SNXFFMT", "SPCTFFMT", "LOGFFLT", "FQBANDFFLT"}) {
        const auto items = Items(name);
        EXPECT_FALSE(items.empty()) << name;
        for (const std::string& item : items) {
            EXPECT_EQ(LineCount(item), 4u) << name << ": " << item;
            EXPECT_EQ(item.find('\r'), std::string::npos);
        }
    }
    EXPECT_EQ(Items("SNXFFMT").at(0), "YSNX\nSNXD\nsnx\nSonalyx document");
}

