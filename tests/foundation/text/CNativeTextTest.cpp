#include "foundation/text/CNativeText.h"

#include <gtest/gtest.h>

#include <string>

TEST(CNativeText, ConvertsToTheApplicationEncodingWithANulAndInvalidUtf8ToNothing)
{
    CNativeText text(LStringRef("caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\x80"));
    // e-acute and the euro sign exist in the 8-bit encoding; the CJK character does not.
    EXPECT_EQ(std::string(text.Text(), text.Length()), "caf\x8E \xDB ?");
    EXPECT_EQ(text.Text()[text.Length()], '\0');

    CNativeText empty(LStringRef(""));
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_EQ(empty.Text()[0], '\0');

    text.InitCStr(nullptr);
    EXPECT_EQ(text.Length(), 0u);
    EXPECT_STREQ(text.Text(), "");

    CNativeText invalid("\xC3");
    EXPECT_EQ(invalid.Length(), 0u);
    EXPECT_STREQ(invalid.Text(), "");
}
