#include "foundation/text/TextTemplate.h"

#include "foundation/core/LArray.h"
#include "foundation/core/LStrStream.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(TextTemplate, NumberedArgumentsJoinedLinesAndNormalizedLineEnds)
{
    const char* args[] = {"zero", "one"};
    // Below '0' and letters name no argument.
    const std::tuple<const char*, uint32_t, const char*> cases[] = {{"a %0 b %1 c", 2, "a zero b one c"}, {"%1", 1, ""},
        {"%0", 1, "zero"}, {"100%%", 0, "100%"}, {"%12", 2, "one2"}, {"end%", 2, "end"}, {"%/%a%\xFF", 2, ""}, {nullptr, 2, ""}};
    for (const auto& [text, count, result] : cases)
        EXPECT_EQ(FormatTemplate(text, args, count).View(), result) << (text ? text : "null");
    EXPECT_EQ(FormatTemplate("%0", nullptr, 3).View(), "");

    LArray array(sizeof(const char*));
    const char* first = "first";
    ASSERT_TRUE(array.Append(&first));
    EXPECT_EQ(FormatArgs("[%0|%1]", array).View(), "[first|]");
    LArray wrongElements(2);
    EXPECT_EQ(FormatArgs("[%0]", wrongElements).View(), "[]");

    for (const auto& [text, separator, joined] : {std::tuple<const char*, const char*, const char*>(
                                                      "a\r\nb\nc\rd\n\re\n", "|", "a|b|c|d|e|"),
                                                  {"x\n\ny", ", ", "x, , y"}, {nullptr, "|", ""}}) {
        LStrStream out;
        JoinLines(text, out, separator);
        EXPECT_EQ(out.View(), joined);
    }

    // Normalizing keeps the handle when nothing changes.
    const LStringRef unix("one\ntwo\n");
    const LStringRef same = NormalizeLineEnds(unix);
    EXPECT_EQ(same.Get(), unix.Get());
    const LStringRef mac("one\rtwo\r\n");
    const LStringRef fixed = NormalizeLineEnds(mac);
    EXPECT_NE(fixed.Get(), mac.Get());
    EXPECT_EQ(fixed.View(), "one\ntwo\n");
}
