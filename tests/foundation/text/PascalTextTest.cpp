#include "foundation/text/KeyRepeat.h"
#include "foundation/text/PascalText.h"

#include <gtest/gtest.h>

#include <tuple>

#include <array>
#include <string>

TEST(PascalText, CopyClampsTo255AndToNAndConvertsToTheNativeEncoding)
{
    std::array<uint8_t, 300> out{};
    const std::string longText(400, 'x');
    CopyToPascal(longText.data(), 400, out.data(), 1000);
    EXPECT_EQ(std::tuple(out[0], out[255], out[256]), std::tuple(255, 'x', 0));  // nothing written past the 255 bytes

    out.fill(0xEE);
    CopyToPascal("abcdef", 6, out.data(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[0]), 5), "\x03" "abc\xEE");

    CopyToPascal(nullptr, 5, out.data(), 5);
    EXPECT_EQ(out[0], 0);

    StringToPascal("caf\xC3\xA9 \xE6\x97\xA5", out.data(), 255);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[0]), 7), "\x06" "caf\x8E ?");
    for (const char* refused : {"\xC0\x80", static_cast<const char*>(nullptr)}) {
        StringToPascal(refused, out.data(), 255);
        EXPECT_EQ(out[0], 0);
    }
}

TEST(KeyRepeat, TicksToClampedMilliseconds)
{
    for (const auto& [ticks, ms] : {std::pair(30, 500), {120, 1000}, {0x7FFFFFFF, 1000}, {-5, 0}})
        EXPECT_EQ(KeyRepeatDelay(ticks), ms) << ticks;
    EXPECT_EQ(std::pair(KeyRepeatInterval(6), KeyRepeatInterval(60)), std::pair(100, 500));
}
