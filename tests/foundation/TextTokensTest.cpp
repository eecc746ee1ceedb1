#include "foundation/TextTokens.h"

#include "foundation/HostPort.h"
#include "foundation/LMemInStream.h"
#include "foundation/LStrStream.h"
#include "foundation/LStringRef.h"

#include <gtest/gtest.h>

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

} // namespace

TEST(TextTokens, ReadIntSignsAndPushBack)
{
    int32_t value = 99;
    Source a("  --12x");
    EXPECT_TRUE(ReadInt(a, value));
    EXPECT_EQ(value, -12);
    EXPECT_EQ(a.Next(), 'x');

    Source b("+-+7");
    EXPECT_TRUE(ReadInt(b, value));
    EXPECT_EQ(value, -7);

    Source c("q");
    EXPECT_FALSE(ReadInt(c, value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(c.Next(), 'q');

    Source d("\n -");
    EXPECT_FALSE(ReadInt(d, value));
    EXPECT_EQ(value, 0);

    Source e("");
    EXPECT_FALSE(ReadInt(e, value));
    EXPECT_EQ(value, 0);
}

TEST(TextTokens, ReadIntWrapsLongNumbersWithoutOverflowTrap)
{
    int32_t value = 0;
    Source a("4294967297");
    EXPECT_TRUE(ReadInt(a, value));
    EXPECT_EQ(value, 1);
    Source b("-2147483648");
    EXPECT_TRUE(ReadInt(b, value));
    EXPECT_EQ(value, std::numeric_limits<int32_t>::min());
    Source c("99999999999999999999999999999");
    EXPECT_TRUE(ReadInt(c, value)); // wraps, never undefined
}

TEST(TextTokens, LineIntStopsAtLineEnd)
{
    int32_t value = 5;
    Source a(" \t\n12");
    EXPECT_FALSE(ReadLineInt(a, value));
    EXPECT_EQ(a.Next(), '\n');
    Source b(" \t-3;");
    EXPECT_TRUE(ReadLineInt(b, value));
    EXPECT_EQ(value, -3);
}

TEST(TextTokens, ReadLineCharSkipsBlanksOnly)
{
    Source a("  \tz");
    EXPECT_EQ(ReadLineChar(a), 'z');
    EXPECT_EQ(ReadLineChar(a), '\0');
    Source b("  \r\nz");
    EXPECT_EQ(ReadLineChar(b), '\r');
}

TEST(TextTokens, SkipLineEndPairs)
{
    Source crlf("abc\r\nx");
    EXPECT_TRUE(SkipLineEnd(crlf));
    EXPECT_EQ(crlf.Next(), 'x');
    Source lflf("\n\n");
    EXPECT_TRUE(SkipLineEnd(lflf));
    EXPECT_EQ(lflf.Next(), '\n');
    Source lfcr("\n\rx");
    EXPECT_TRUE(SkipLineEnd(lfcr));
    EXPECT_EQ(lfcr.Next(), 'x');
    Source crcr("\r\r");
    EXPECT_TRUE(SkipLineEnd(crcr));
    EXPECT_EQ(crcr.Next(), '\r');
    Source end("no end");
    EXPECT_FALSE(SkipLineEnd(end));
    Source last("\r");
    EXPECT_TRUE(SkipLineEnd(last));
}

TEST(HostPort, ParsesNumericAddressAndPort)
{
    uint32_t address = 1;
    uint16_t port = 1;
    ParseHostPort(" 10.0.0.1 :51000", address, port);
    EXPECT_EQ(address, 0x0A000001u);
    EXPECT_EQ(port, 51000);

    ParseHostPort("localhost:80", address, port);
    EXPECT_EQ(address, 0u);
    EXPECT_EQ(port, 80);

    ParseHostPort("127.0.0.1", address, port);
    EXPECT_EQ(address, 0x7F000001u);
    EXPECT_EQ(port, 0);

    ParseHostPort(nullptr, address, port);
    EXPECT_EQ(address, 0u);
    EXPECT_EQ(port, 0);
}

TEST(HostPort, PortOutsideRangeGivesZero)
{
    uint32_t address = 0;
    uint16_t port = 7;
    const char* bad[] = {"1.2.3.4:0", "1.2.3.4:65536", "1.2.3.4:-80", "1.2.3.4:", "1.2.3.4:x",
                         "1.2.3.4:4294967297", "1.2.3.4:0000000000065536"};
    for (const char* text : bad) {
        ParseHostPort(text, address, port);
        EXPECT_EQ(port, 0) << text;
    }
    ParseHostPort("1.2.3.4:65535", address, port);
    EXPECT_EQ(port, 65535);
    ParseHostPort("1.2.3.4: 00080x", address, port);
    EXPECT_EQ(port, 80);
}

namespace {

// Runs a stream tokenizer and returns what it copied together with its result.
template <typename Tokenizer>
std::pair<bool, std::string> Copied(Source& in, Tokenizer tokenizer)
{
    LStrStream out;
    const bool result = tokenizer(in, out);
    return {result, std::string(out.View())};
}

} // namespace

TEST(TextTokens, ReadNumberTokenStopsAtSecondPointOrLateSign)
{
    Source a("-1.5.2");
    EXPECT_EQ(Copied(a, ReadNumberToken), std::make_pair(true, std::string("-1.5")));
    EXPECT_EQ(a.Next(), '.');
    EXPECT_EQ(a.Next(), '2');

    Source b("1-2");
    EXPECT_EQ(Copied(b, ReadNumberToken), std::make_pair(true, std::string("1")));
    EXPECT_EQ(b.Next(), '-');

    Source c(" \t+-.5e3");
    EXPECT_EQ(Copied(c, ReadNumberToken), std::make_pair(true, std::string("+-.5")));
    EXPECT_EQ(c.Next(), 'e');

    Source d("\n5");
    EXPECT_EQ(Copied(d, ReadNumberToken), std::make_pair(false, std::string()));
    EXPECT_EQ(d.Next(), '\n');

    Source e(".-");
    EXPECT_EQ(Copied(e, ReadNumberToken), std::make_pair(true, std::string(".")));
}

TEST(TextTokens, WordsAndLines)
{
    Source in("  alpha\tbeta\n  gamma\r\n\r\nlast");
    EXPECT_EQ(Copied(in, ReadWord), std::make_pair(true, std::string("alpha")));
    EXPECT_EQ(Copied(in, ReadLineWord), std::make_pair(true, std::string("beta")));
    EXPECT_EQ(Copied(in, ReadLineWord), std::make_pair(false, std::string()));
    LStringRef word;
    EXPECT_TRUE(ReadWordToString(in, word));
    EXPECT_EQ(word.View(), "gamma");

    LStringRef line("stale");
    EXPECT_TRUE(ReadTextLine(in, line)); // the rest of gamma's line: empty, then CR LF
    EXPECT_EQ(line.View(), "");
    EXPECT_TRUE(ReadTextLine(in, line)); // an empty line
    EXPECT_EQ(line.View(), "");
    EXPECT_TRUE(ReadTextLine(in, line)); // a last line without a line end
    EXPECT_EQ(line.View(), "last");
    EXPECT_FALSE(ReadTextLine(in, line));
    EXPECT_FALSE(ReadWordToString(in, word));
    EXPECT_EQ(word.View(), "");
}

TEST(TextTokens, ToLineEndLeavesTheLineEnd)
{
    Source in("ab\r\nc");
    EXPECT_EQ(Copied(in, ReadToLineEnd), std::make_pair(true, std::string("ab")));
    EXPECT_EQ(Copied(in, ReadToLineEnd), std::make_pair(false, std::string()));
    EXPECT_TRUE(SkipLineEnd(in));
    EXPECT_EQ(in.Next(), 'c');
}

TEST(TextTokens, CopyTrimmedDropsOuterWhiteSpaceOnly)
{
    Source in(" \n a  b\t\n c \r\n ");
    LStrStream out;
    CopyTrimmed(in, out);
    EXPECT_EQ(out.View(), "a  b\t\n c");

    // Held white space longer than the inline buffer of a stream.
    const std::string spaced = "x" + std::string(100, ' ') + "y" + std::string(100, ' ');
    Source longer(spaced.c_str());
    LStrStream trimmed;
    CopyTrimmed(longer, trimmed);
    EXPECT_EQ(trimmed.View(), spaced.substr(0, 102));
}
