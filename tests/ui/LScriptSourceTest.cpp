#include "ui/layout/LScriptSource.h"
#include "foundation/core/LStrStream.h"

#include <gtest/gtest.h>

#include <string>

TEST(LScriptSource, CountsLinesAndColumns)
{
    // CR, LF and CR LF each end one line; other bytes advance the column.
    LScriptSource source(std::string_view("ab\r\ncd\ne\rf"));
    uint8_t c = 0;
    std::string seen;
    std::string positions;
    while (source.GetChar(c)) {
        seen.push_back(static_cast<char>(c));
        positions += std::to_string(source.Line()) + ":" + std::to_string(source.Column()) + " ";
    }
    EXPECT_EQ(seen, "ab\r\ncd\ne\rf");
    EXPECT_EQ(positions, "0:1 0:2 1:0 1:0 1:1 1:2 2:0 2:1 3:0 3:1 ");
}

TEST(LScriptSource, PutBackIsNotCountedTwiceAndNulEndsTheText)
{
    const char bytes[] = {'x', 'y', '\0', 'b'};
    LScriptSource source(std::string_view(bytes, sizeof bytes));
    uint8_t c = 0;
    ASSERT_TRUE(source.GetChar(c));
    source.UngetChar();
    ASSERT_TRUE(source.GetChar(c));
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(source.Column(), 1u);
    uint8_t buffer[8] = {};
    EXPECT_EQ(source.Read(buffer, sizeof buffer), 1u);
    EXPECT_EQ(buffer[0], 'y');
    EXPECT_FALSE(source.GetChar(c));
}

TEST(LScriptSource, KeepsTheFirstError)
{
    LScriptSource source(std::string_view("abc\ndef"));
    LStrStream none;
    source.ReportError(none);
    EXPECT_EQ(none.View(), "");
    uint8_t c = 0;
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(source.GetChar(c));
    source.SetError("Close");
    source.GetChar(c);
    source.SetError("Prim");
    LStrStream report;
    source.ReportError(report);
    EXPECT_EQ(report.View(), "Error: Close, Line 2, Char 2\n");
    EXPECT_TRUE(source.HasError());
}
