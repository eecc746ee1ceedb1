#include "foundation/text/TextTokens.h"

#include "foundation/text/HostPort.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace {

struct Source : LMemInStream {
    explicit Source(const char* text) : LMemInStream(text, static_cast<uint32_t>(std::strlen(text))) {}
    char Next()
    {
        char c = 0;
        return ReadByte(c) ? c : '\0';
    }
};

// Runs a stream tokenizer and returns what it copied together with its result.
template <typename Tokenizer>
std::pair<bool, std::string> Copied(Source& in, Tokenizer tokenizer)
{
    LStrStream out;
    const bool result = tokenizer(in, out);
    return {result, std::string(out.View())};
}

} // namespace

TEST(TextTokens, ReadIntSignsPushBackAndWrapping)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
        char next;  // the byte left for the next read; '*' for any
    };
    const Case cases[] = {
        {"  --12x", true, -12, 'x'},
        {"+-+7", true, -7, '\0'},
        {"q", false, 0, 'q'},
        {"\n -", false, 0, '*'},
        {"", false, 0, '\0'},
        // Long numbers wrap, never overflow undefined.
        {"4294967297", true, 1, '\0'},
        {"-2147483648", true, std::numeric_limits<int32_t>::min(), '\0'},
    };
    for (const Case& c : cases) {
        Source in(c.text);
        int32_t value = 99;
        EXPECT_EQ(ReadInt(in, value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        if (c.next != '*') {
            EXPECT_EQ(in.Next(), c.next) << c.text;
        }
    }
    Source huge("99999999999999999999999999999");
    int32_t value = 0;
    EXPECT_TRUE(ReadInt(huge, value));
}

TEST(TextTokens, LineReadsStopAtTheLineEndAndSkipLineEndTakesOnePairOfDifferentEnds)
{
    int32_t value = 5;
    Source a(" \t\n12");
    EXPECT_FALSE(ReadLineInt(a, value));
    EXPECT_EQ(a.Next(), '\n');
    Source b(" \t-3;");
    EXPECT_TRUE(ReadLineInt(b, value));
    EXPECT_EQ(value, -3);
    Source c("  \tz"), d("  \r\nz");
    EXPECT_EQ((std::tuple{ReadLineChar(c), ReadLineChar(c), ReadLineChar(d)}), std::tuple('z', '\0', '\r'));

    const std::pair<const char*, char> ends[] = {
        {"abc\r\nx", 'x'}, {"\n\n", '\n'}, {"\n\rx", 'x'}, {"\r\r", '\r'}, {"\r", '\0'}};
    for (const auto& [text, next] : ends) {
        Source in(text);
        EXPECT_TRUE(SkipLineEnd(in)) << text;
        EXPECT_EQ(in.Next(), next) << text;
    }
    Source end("no end");
    EXPECT_FALSE(SkipLineEnd(end));
}

TEST(HostPort, ParsesAddressAndPortAndRefusesPortsOutsideTheRange)
{
    struct Case {
        const char* text;
        uint32_t address;
        uint16_t port;
    };
    const Case cases[] = {
        {" 10.0.0.1 :51000", 0x0A000001u, 51000},
        {"localhost:80", 0, 80},
        {"127.0.0.1", 0x7F000001u, 0},
        {nullptr, 0, 0},
        {"1.2.3.4:65535", 0x01020304u, 65535},
        {"1.2.3.4: 00080x", 0x01020304u, 80},
        {"1.2.3.4:0", 0x01020304u, 0},
        {"1.2.3.4:65536", 0x01020304u, 0},
        {"1.2.3.4:-80", 0x01020304u, 0},
        {"1.2.3.4:", 0x01020304u, 0},
        {"1.2.3.4:x", 0x01020304u, 0},
        {"1.2.3.4:4294967297", 0x01020304u, 0},
        {"1.2.3.4:0000000000065536", 0x01020304u, 0},
    };
    for (const Case& c : cases) {
        uint32_t address = 1;
        uint16_t port = 7;
        ParseHostPort(c.text, address, port);
        EXPECT_EQ(address, c.address) << (c.text ? c.text : "null");
        EXPECT_EQ(port, c.port) << (c.text ? c.text : "null");
    }
}

TEST(TextTokens, ReadNumberTokenStopsAtSecondPointOrLateSign)
{
    struct Case {
        const char* text;
        bool ok;
        const char* token;
        const char* left;  // what the next reads give
    };
    const Case cases[] = {
        {"-1.5.2", true, "-1.5", ".2"}, {"1-2", true, "1", "-"},      {" \t+-.5e3", true, "+-.5", "e"},
        {"\n5", false, "", "\n"},      {".-", true, ".", ""},
    };
    for (const Case& c : cases) {
        Source in(c.text);
        EXPECT_EQ(Copied(in, ReadNumberToken), std::make_pair(c.ok, std::string(c.token))) << c.text;
        for (const char* p = c.left; *p; ++p)
            EXPECT_EQ(in.Next(), *p) << c.text;
    }
}

TEST(TextTokens, WordsLinesTheLineEndAndTrimmedCopies)
{
    Source in("  alpha\tbeta\n  gamma\r\n\r\nlast");
    EXPECT_EQ(Copied(in, ReadWord), std::make_pair(true, std::string("alpha")));
    EXPECT_EQ(Copied(in, ReadLineWord), std::make_pair(true, std::string("beta")));
    EXPECT_EQ(Copied(in, ReadLineWord), std::make_pair(false, std::string()));  // the line ends first
    LStringRef word;
    EXPECT_TRUE(ReadWordToString(in, word));
    EXPECT_EQ(word.View(), "gamma");

    // The rest of gamma's line (empty, then CR LF), an empty line, a last line without a line end.
    LStringRef line("stale");
    for (const char* expected : {"", "", "last"}) {
        EXPECT_TRUE(ReadTextLine(in, line));
        EXPECT_EQ(line.View(), expected);
    }
    EXPECT_FALSE(ReadTextLine(in, line));
    EXPECT_FALSE(ReadWordToString(in, word));
    EXPECT_EQ(word.View(), "");

    Source end("ab\r\nc");
    EXPECT_EQ(Copied(end, ReadToLineEnd), std::make_pair(true, std::string("ab")));
    EXPECT_EQ(Copied(end, ReadToLineEnd), std::make_pair(false, std::string()));
    EXPECT_TRUE(SkipLineEnd(end));
    EXPECT_EQ(end.Next(), 'c');

    Source padded(" \n a  b\t\n c \r\n ");
    LStrStream out;
    CopyTrimmed(padded, out);
    EXPECT_EQ(out.View(), "a  b\t\n c");

    // Held white space longer than the inline buffer of a stream.
    const std::string spaced = "x" + std::string(100, ' ') + "y" + std::string(100, ' ');
    Source longer(spaced.c_str());
    LStrStream trimmed;
    CopyTrimmed(longer, trimmed);
    EXPECT_EQ(trimmed.View(), spaced.substr(0, 102));
}
