#include "controls/text/TextLines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Ten pixels per character (UTF-8 continuation bytes add nothing).
double TenPerChar(std::string_view run)
{
    double width = 0;
    for (char c : run)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            width += 10;
    return width;
}

std::vector<std::string> Texts(std::string_view text, const std::vector<TextLines::Line>& lines)
{
    std::vector<std::string> out;
    for (const auto& line : lines)
        out.emplace_back(text.substr(line.start, line.length));
    return out;
}

} // namespace

TEST(TextLines, CountsLineEndsOfEveryKind)
{
    using namespace std::string_view_literals;
    EXPECT_EQ(TextLines::CountLineEnds("a\r\nb\rc\n"sv), 3u);
    EXPECT_EQ(TextLines::CountLineEnds(""sv), 0u);
    EXPECT_EQ(TextLines::CountLineEnds("\r"sv), 1u);
    EXPECT_EQ(TextLines::CountLineEnds("\n\r"sv), 2u);
    EXPECT_EQ(TextLines::CountLineEnds("a\nb\0\nc\n"sv), 1u);
}

TEST(TextLines, HardLinesSplitAtEachLineEnd)
{
    const std::string_view text = "a\r\nb\rc\n";
    EXPECT_EQ(Texts(text, TextLines::HardLines(text)), (std::vector<std::string>{"a", "b", "c", ""}));
}

TEST(TextLines, WrapsAtWordsAndBreaksLongWords)
{
    struct Case { std::string_view text; double width; std::vector<std::string> lines; };
    const Case cases[] = {
        {"one two three", 70, {"one two ", "three"}},
        {"one two three", 130, {"one two three"}},
        {"one two three", 30, {"one ", "two ", "thr", "ee"}},
        {"abcdefgh", 30, {"abc", "def", "gh"}},
        {"ab  cd", 20, {"ab  ", "cd"}},
        {"x", 0, {"x"}},
        {"", 50, {""}},
        {"a\nbb cc", 20, {"a", "bb ", "cc"}},
        {"\xC3\xA9\xC3\xA9\xC3\xA9", 20, {"\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(c.text, TextLines::WrapLines(c.text, c.width, TenPerChar)), c.lines) << c.text;
}

TEST(TextLines, WrappedLinesCoverTheWholeText)
{
    const std::string text = "The quick brown fox jumps over the lazy dog again and again";
    for (double width = 0; width < 400; width += 7) {
        std::string joined;
        for (const auto& line : TextLines::WrapLines(text, width, TenPerChar))
            joined += text.substr(line.start, line.length);
        EXPECT_EQ(joined, text) << width;
    }
}
