#include "foundation/text/KeyRepeat.h"
#include "foundation/text/PascalText.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

TEST(PascalText, CopyClampsTo255AndToNAndConvertsToTheNativeEncoding)
{
    std::array<uint8_t, 300> out{};
    const std::string longText(400, 'x');
    CopyToPascal(longText.data(), 400, out.data(), 1000);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[255], 'x');
    EXPECT_EQ(out[256], 0); // nothing written past the 255 bytes

    out.fill(0xEE);
    CopyToPascal("abcdef", 6, out.data(), 3);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[1]), 3), "abc");
    EXPECT_EQ(out[4], 0xEE);

    CopyToPascal(nullptr, 5, out.data(), 5);
    EXPECT_EQ(out[0], 0);

        StringToPascal("caf\xC3\xA9 \xE6\x97\xA5", out.data(), 255);
    EXPECT_EQ(out[0], 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[1]), 6), "caf\x8E ?");
    StringToPascal("\xC0\x80", out.data(), 255);
    EXPECT_EQ(out[0], 0);
    StringToPascal(nullptr, out.data(), 255);
    EXPECT_EQ(out[0], 0);
}

TEST(KeyRepeat, TicksToClampedMilliseconds)
{
    EXPECT_EQ(KeyRepeatDelay(30), 500);
    EXPECT_EQ(KeyRepeatDelay(120), 1000);
    EXPECT_EQ(KeyRepeatDelay(0x7FFFFFFF), 1000);
    EXPECT_EQ(KeyRepeatDelay(-5), 0);
    EXPECT_EQ(KeyRepeatInterval(6), 100);
    EXPECT_EQ(KeyRepeatInterval(60), 500);
}
