#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/streams/CMemStream.h"
#include "foundation/streams/CsvField.h"
#include "foundation/core/LByteBuffer.h"

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
    using F = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(Fields("a,\"b,c\",d", 3), (F{{"a", true}, {"b,c", true}, {"d", true}}));
    EXPECT_EQ(Fields("\"x\"\"y\",x\"\"y,\"\",\"l1\nl2\",tail", 6),
              (F{{"x\"y", true}, {"xy", true}, {"", true}, {"l1\nl2", true}, {"tail", true}, {"", false}}));

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


    const char bytes[] = {'a', 'b', '\0', 'c'};
    LMemInStream raw(bytes, 4);
    char buffer[8] = {};
    EXPECT_EQ(ReadSourceBytes(raw, buffer, 8), 2u);
    EXPECT_EQ(ReadSourceBytes(raw, buffer, 0), 0u);
}

} // namespace

namespace {

std::string Written(const char* text, bool force)
{
    LByteBuffer bytes;
    CMemStream out(bytes);
    WriteCsvField(text, out, force);
    return std::string(reinterpret_cast<const char*>(bytes.Data()), size_t(out.position));
}

} // namespace

TEST(WriteCsvField, QuotesOnlyWhatNeedsItAndReadsBackTheSame)
{
    struct Case {
        const char* text;
        bool force;
        const char* written;
    };
    const Case cases[] = {
        {"plain", false, "plain"},
        {"", false, ""},
        {nullptr, false, ""},
        {nullptr, true, "\"\""},
        {"", true, "\"\""},
        {"forced", true, "\"forced\""},
        {"a,b", false, "\"a,b\""},
        {"say \"hi\"", false, "\"say \"\"hi\"\"\""},
        {"\"", false, "\"\"\"\""},
        {" lead", false, "\" lead\""},
        {"trail\t", false, "\"trail\t\""},
        {"in side", false, "in side"},
        {"two\nlines", false, "\"two\nlines\""},
        {"cr\r", false, "\"cr\r\""},
    };
    for (const Case& c : cases) {
        const std::string written = Written(c.text, c.force);
        EXPECT_EQ(written, c.written) << (c.text ? c.text : "(null)");
        if (c.text) {
            const auto read = Fields(written + ",", 1);
            EXPECT_EQ(read[0].first, c.text) << "reads back: " << written;
        }
    }
}
