#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace std::string_literals;

namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string out;
    for (int b : bytes)
        out.push_back(static_cast<char>(b));
    return out;
}

// Runs a shell-free python3 one-liner and returns what it printed.
std::string RunPython(const std::string& script)
{
    const std::string command = "python3 -c '" + script + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe)
        return out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        out.append(buffer, n);
    return out;
}

} // namespace

TEST(TextEncoding, Utf8ToUtf16AtEveryLengthBoundary)
{
    const std::string utf8 = Bytes({0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF,
                                    0xF0, 0x90, 0x80, 0x80, 0xF4, 0x8F, 0xBF, 0xBF});
    const std::u16string expected = {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD800, 0xDC00, 0xDBFF, 0xDFFF};
    EXPECT_EQ(plat::Utf8ToUtf16(utf8), expected);
    EXPECT_EQ(plat::Utf16ToUtf8(expected), utf8);
}

TEST(TextEncoding, EveryCodePointRoundTrips)
{
    std::string utf8;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        ASSERT_TRUE(plat::AppendUtf8(utf8, cp));
    }
    const std::u16string utf16 = plat::Utf8ToUtf16(utf8);
    ASSERT_FALSE(utf16.empty());
    EXPECT_EQ(utf16.size(), 0x10000u - 0x800u + 2u * 0x100000u);
    EXPECT_EQ(plat::Utf16ToUtf8(utf16), utf8);
}

TEST(TextEncoding, InvalidUtf8GivesEmptyResult)
{
    const std::string cases[] = {
        Bytes({0xC0, 0x80}),             // overlong NUL
        Bytes({0xC1, 0xBF}),             // overlong two-byte form
        Bytes({0xE0, 0x80, 0x80}),       // overlong three-byte form
        Bytes({0xF0, 0x80, 0x80, 0x80}), // overlong four-byte form
        Bytes({0xED, 0xA0, 0x80}),       // encoded surrogate
        Bytes({0xF4, 0x90, 0x80, 0x80}), // above U+10FFFF
        Bytes({0xF8, 0x88, 0x80, 0x80, 0x80}),
        Bytes({'a', 0xE2, 0x82}),        // cut at the end
        Bytes({'a', 0x80, 'b'}),         // stray continuation
        Bytes({0xE2, 'a', 0xAC}),        // broken continuation
        Bytes({0xFF}),
    };
    for (const std::string& bad : cases) {
        EXPECT_FALSE(plat::IsValidUtf8(bad));
        EXPECT_TRUE(plat::Utf8ToUtf16(bad).empty());
        EXPECT_TRUE(plat::Utf8ToMacRoman(bad).empty());
    }
    EXPECT_TRUE(plat::IsValidUtf8(""));
    EXPECT_TRUE(plat::IsValidUtf8("a\0b"s));
    EXPECT_EQ(plat::Utf8ToUtf16("a\0b"s), u"a\0b"s);
}

TEST(TextEncoding, UnpairedSurrogatesBecomeLossByte)
{
    EXPECT_EQ(plat::Utf16ToUtf8(u"a\xD800" u"b"), "a?b");
    EXPECT_EQ(plat::Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "??");
    EXPECT_EQ(plat::Utf16ToUtf8(std::u16string{'x', 0xDBFF}), "x?");
    EXPECT_EQ(plat::Utf16ToUtf8(u""), "");
}

TEST(TextEncoding, MacRomanRoundTripsEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = plat::MacRomanToUtf8(all);
    EXPECT_TRUE(plat::IsValidUtf8(utf8));
    EXPECT_EQ(plat::Utf8ToMacRoman(utf8), all);
}

TEST(TextEncoding, MacRomanAgreesWithPythonCodec)
{
    const std::string printed =
        RunPython("import sys; sys.stdout.write(\",\".join(str(ord(c)) for c in "
                  "bytes(range(128, 256)).decode(\"mac_roman\")))");
    ASSERT_FALSE(printed.empty()) << "python3 is needed for this test";
    std::string ours;
    for (int b = 128; b < 256; ++b) {
        if (b > 128)
            ours += ',';
        ours += std::to_string(static_cast<uint32_t>(plat::MacRomanToUnicode(static_cast<uint8_t>(b))));
    }
    EXPECT_EQ(ours, printed);
}

TEST(TextEncoding, MacRomanUsesLossBytePerMissingCharacter)
{
    EXPECT_EQ(plat::Utf8ToMacRoman("caf\xC3\xA9"), "caf\x8E");
    EXPECT_EQ(plat::Utf8ToMacRoman("\xE2\x82\xAC"), "\xDB");                  // euro sign
    EXPECT_EQ(plat::Utf8ToMacRoman("a\xE6\x97\xA5\xE6\x9C\xAC" "b"), "a??b"); // two CJK characters
    EXPECT_EQ(plat::Utf8ToMacRoman("\xF0\x9F\x8E\xB5"), "?");                  // one character outside the BMP
    EXPECT_EQ(plat::MacRomanToUtf8("\xA5"), "\xE2\x80\xA2");
}
