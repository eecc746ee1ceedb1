#include "foundation/text/TextTemplate.h"

#include "foundation/core/LArray.h"
#include "foundation/core/LStrStream.h"

#include <gtest/gtest.h>

TEST(TextTemplate, NumberedArgumentsJoinedLinesAndNormalizedLineEnds)
{
    const char* args[] = {"zero", "one"};
    EXPECT_EQ(FormatTemplate("a %0 b %1 c", args, 2).View(), "a zero b one c");
    EXPECT_EQ(FormatTemplate("%1", args, 1).View(), "");
    EXPECT_EQ(FormatTemplate("%0", args, 1).View(), "zero");
    EXPECT_EQ(FormatTemplate("100%%", args, 0).View(), "100%");
    EXPECT_EQ(FormatTemplate("%12", args, 2).View(), "one2");
    EXPECT_EQ(FormatTemplate("end%", args, 2).View(), "end");
    EXPECT_EQ(FormatTemplate("%/%a%\xFF", args, 2).View(), ""); // below '0' and letters name no argument
    EXPECT_EQ(FormatTemplate(nullptr, args, 2).View(), "");
    EXPECT_EQ(FormatTemplate("%0", nullptr, 3).View(), "");

    LArray array(sizeof(const char*));
    const char* first = "first";
    ASSERT_TRUE(array.Append(&first));
    EXPECT_EQ(FormatArgs("[%0|%1]", array).View(), "[first|]");
    LArray wrongElements(2);
    EXPECT_EQ(FormatArgs("[%0]", wrongElements).View(), "[]");

    LStrStream out;
    JoinLines("a\r\nb\nc\rd\n\re\n", out, "|");
    EXPECT_EQ(out.View(), "a|b|c|d|e|");
    out.Clear();
    JoinLines("x\n\ny", out, ", ");
    EXPECT_EQ(out.View(), "x, , y");
    out.Clear();
    JoinLines(nullptr, out, "|");
    EXPECT_EQ(out.View(), "");

    // Normalizing keeps the handle when nothing changes.
    const LStringRef unix("one\ntwo\n");
    const LStringRef same = NormalizeLineEnds(unix);
    EXPECT_EQ(same.Get(), unix.Get());
    const LStringRef mac("one\rtwo\r\n");
    const LStringRef fixed = NormalizeLineEnds(mac);
    EXPECT_NE(fixed.Get(), mac.Get());
    EXPECT_EQ(fixed.View(), "one\ntwo\n");
}
