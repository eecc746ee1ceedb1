#include "foundation/text/TextConverter.h"

#include "foundation/text/LHandleInStream.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

TEST(TextConverter, Utf16RoundTripAndInvalidInputLeavingTheOutputEmpty)
{
    const char* text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5";
    LByteBuffer utf16;
    ASSERT_TRUE(TextConverter::ToUTF16(text, utf16));
    ASSERT_EQ(utf16.Size(), 10u); // five UTF-16 units: A, e-acute, euro, a surrogate pair
    const auto* units = reinterpret_cast<const char16_t*>(utf16.Data());
    EXPECT_EQ(std::tuple(units[0], units[2], units[3]), std::tuple(u'A', char16_t(0x20AC), char16_t(0xD83C)));
    EXPECT_EQ(StringFromUTF16(units, 5).View(), text);

    // Refused input leaves the output empty, whatever it held.
    LByteBuffer out;
    ASSERT_TRUE(TextConverter::ToUTF16("old", out));
    EXPECT_FALSE(TextConverter::ToUTF16("\xE2\x82", out));
    const uint32_t afterUtf16 = out.Size();
    ASSERT_TRUE(TextConverter::ToNative("x", 1, out));
    EXPECT_FALSE(TextConverter::ToNative("\xED\xA0\x80", 3, out));
    EXPECT_EQ(std::pair(afterUtf16, out.Size()), std::pair(0u, 0u));
    EXPECT_TRUE(TextConverter::ToUTF16(nullptr, out));
    EXPECT_EQ(out.Size(), 0u);
    EXPECT_EQ(StringFromUTF16(nullptr, 4).View(), "");
}

TEST(TextConverter, NativeTextUsesALossByteAndConvertedTextReconverts)
{
    LByteBuffer out;
    ASSERT_TRUE(TextConverter::ToNative("\xC3\xBC \xE2\x84\xA2 \xD0\x96", 9, out));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Data()), out.Size()), "\x9F \xAA ?");
    EXPECT_EQ(StringFromNativeCString("\x9F\xAA").View(), "\xC3\xBC\xE2\x84\xA2");
    EXPECT_EQ(StringFromNativeCString(nullptr).View(), "");

    CConvertedText converted("ab");
    EXPECT_EQ(converted.Length(), 2u);
    EXPECT_EQ(converted.Characters()[1], u'b');
    converted = "\xF0\x9F\x8E\xB5xyz";
    EXPECT_EQ(converted.Length(), 5u);
    converted = "\xFF";
    EXPECT_EQ(converted.Length(), 0u);
}

TEST(LHandleInStream, ReadsAndHoldsTheString)
{
    LStringRef text("hi");
    LHandleInStream in(text);
    const LString* block = text.Get();
    const int32_t before = block->RefCount();
    text = LStringRef("other");
    EXPECT_EQ(block->RefCount(), before - 1); // the source still holds the first text
    char c = 0;
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_EQ(c, 'h');
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_FALSE(in.ReadByte(c));
}
