#include "analysis/LoadBandFile.h"
#include "analysis/CBandList.h"
#include "foundation/text/LMemInStream.h"

#include <gtest/gtest.h>

#include "tests/foundation/TempFiles.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<float, float>>;

Pairs Explicit(const CBandList& list)
{
    Pairs out;
    SBandRange b{};
    for (uint32_t i = 0; i < list.Count() && list.Band(i, b); ++i)
        out.emplace_back(b.low, b.high);
    return out;
}

Pairs ReadText(const std::string& text)
{
    CBandList list;
    LMemInStream in(text.data(), static_cast<uint32_t>(text.size()));
    ReadBandLines(list, in);
    return Explicit(list);
}

} // namespace

TEST(LoadBandFile, SortsLinesSkipsOddOnesAndAcceptsEveryLineEnd)
{
    const struct {
        const char* text;
        Pairs bands;
        const char* why;
    } rows[] = {
        {"100 200\n50 80\n50 60\n", {{50, 60}, {50, 80}, {100, 200}}, "sorted by low, then high"},
        {"300 200\n5 5\n", {{5, 5}}, "reversed pair dropped, zero width kept"},
        {"10 20, 30 40\n", {{10, 20}}, "only the first field counts"},
        {"42\n\n   \n7 9 11\n", {{7, 9}}, "one number, empty, blank, extra word"},
        {"abc 5\n", {{0, 5}}, "a word that is not a number reads as 0"},
        {"nan 5\ninf inf\n-inf 3\n1e300 1e301\n", {}, "non-finite numbers"},
        {"\"12.5 13.5\",x\n", {{12.5f, 13.5f}}, "quoted field"},
        {"\"1,2 3\"\n", {{1, 3}}, "a quoted comma stays in the field; 1,2 reads as 1"},
        {"1 2\n1 2\n", {{1, 2}, {1, 2}}, "duplicates are kept"},
        {"1 2\r\n3 4\r5 6\n\r7 8", {{1, 2}, {3, 4}, {5, 6}, {7, 8}}, "every line end"},
        {"1 2\n\n\n3 4\n", {{1, 2}, {3, 4}}, "empty lines"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReadText(row.text), row.bands) << row.why;
}

TEST(LoadBandFile, NoValidLineGivesFixedWidthBands)
{
    CBandList list;
    list.SetWidth(25.0f);
    ASSERT_TRUE(list.Insert({1, 2}));
    LMemInStream in("x\n300 200\n", 10);
    ReadBandLines(list, in);
    EXPECT_EQ(list.Count(), 0u);
    SBandRange b{};
    ASSERT_TRUE(list.Band(1, b));
    EXPECT_EQ(b.low, 25.0f);
    EXPECT_EQ(b.high, 50.0f);
}

TEST(LoadBandFile, ReadsARealFileAfterItsByteOrderMark)
{
    const std::string path = TempPath("bands.txt");
    WriteAll(path, "\xEF\xBB\xBF" "20 40\r\n10 15\r\n");
    CBandList list;
    list.SetWidth(3.0f);
    ASSERT_TRUE(LoadBandFile(list, path));
    EXPECT_EQ(Explicit(list), (Pairs{{10, 15}, {20, 40}}));
    EXPECT_EQ(list.width, 3.0f);
}

TEST(LoadBandFile, UnreadableOversizedOrBinaryFileLeavesTheBandsAlone)
{
    const std::string huge = TempPath("huge-bands.txt");
    WriteAll(huge, std::string(kMaxBandFileBytes + 1, ' '));
    // A binary file's words read as 0: every line of two of them would be a band at 0 Hz.
    const std::string binary = TempPath("sound.wav");
    WriteAll(binary, std::string("RIFF\x24\0\0\0WAVE x y\n10 20\n", 22) + std::string(6000, 'a') + std::string(1, '\0'));
    for (const std::string& path : {TempPath("no-such-band-file.txt"), std::string(), huge, binary, TempPath("")}) {
        CBandList list;
        ASSERT_TRUE(list.Insert({1, 2}));
        std::string failure;
        EXPECT_FALSE(LoadBandFile(list, path, &failure)) << path;
        EXPECT_FALSE(failure.empty()) << path;
        EXPECT_EQ(Explicit(list), (Pairs{{1, 2}})) << path;
    }
}

TEST(LoadBandFile, StopsAtTheBandLimit)
{
    std::string text;
    for (uint32_t i = 0; i < CBandList::kMaxBands + 10; ++i)
        text += std::to_string(i) + " " + std::to_string(i + 1) + "\n";
    EXPECT_EQ(ReadText(text).size(), CBandList::kMaxBands);
}
