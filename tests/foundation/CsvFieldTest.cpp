#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/streams/CsvField.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, bool>> Fields(const std::string& text, int count)
{
    LMemInStream source(text.data(), uint32_t(text.size()));
    std::vector<std::pair<std::string, bool>> fields;
    for (int i = 0; i < count; ++i) {
        LStrStream out;
        const bool result = ReadCsvField(source, out);
        fields.emplace_back(std::string(out.View()), result);
    }
    return fields;
}

TEST(ReadCsvField, QuotedFieldsLineEndsAndTheEndOfInputAndRawBytesStopWithTheSource)
{
    const auto fields = Fields("a,\"b,c\",d", 3);
    EXPECT_EQ(fields[0], std::make_pair(std::string("a"), true));
    EXPECT_EQ(fields[1], std::make_pair(std::string("b,c"), true));
    EXPECT_EQ(fields[2], std::make_pair(std::string("d"), true));
    EXPECT_EQ(Fields("\"x\"\"y\"", 1)[0].first, "x\"y");
    EXPECT_EQ(Fields("x\"\"y", 1)[0].first, "xy");
    EXPECT_EQ(Fields("\"\",z", 2)[0], std::make_pair(std::string(), true));
    EXPECT_EQ(Fields("\"l1\nl2\"", 1)[0].first, "l1\nl2");

    const std::string text = "\nnext";
    LMemInStream source(text.data(), uint32_t(text.size()));
    LStrStream out;
    EXPECT_FALSE(ReadCsvField(source, out));
    EXPECT_EQ(out.Length(), 0u);
    char c = 0;
    ASSERT_TRUE(source.ReadByte(c));
    EXPECT_EQ(c, '\n');

    const std::string row = "1,2\r\n";
    LMemInStream rowSource(row.data(), uint32_t(row.size()));
    LStrStream first;
    LStrStream second;
    EXPECT_TRUE(ReadCsvField(rowSource, first));
    EXPECT_TRUE(ReadCsvField(rowSource, second));
    EXPECT_EQ(std::string(second.View()), "2");
    ASSERT_TRUE(rowSource.ReadByte(c));
    EXPECT_EQ(c, '\r');

    EXPECT_EQ(Fields("tail", 1)[0], std::make_pair(std::string("tail"), true));
    EXPECT_EQ(Fields("a,", 2)[1], std::make_pair(std::string(), false));

    const char bytes[] = {'a', 'b', '\0', 'c'};
    LMemInStream raw(bytes, 4);
    char buffer[8] = {};
    EXPECT_EQ(ReadSourceBytes(raw, buffer, 8), 2u);
    EXPECT_EQ(ReadSourceBytes(raw, buffer, 0), 0u);
}

} // namespace
