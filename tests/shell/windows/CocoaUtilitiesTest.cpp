#include "foundation/core/LByteBuffer.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/text/FourCC.h"
#include "foundation/text/LMemInStream.h"
#include "platform/system/InputSettings.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Screens.h"
#include "shell/windows/CScrapAcs_Cca.h"
#include "shell/windows/ColorConversions.h"
#include "shell/windows/DecodeUTF8Char.h"
#include "shell/windows/GetDoubleClickTime.h"
#include "shell/windows/GregorianDate.h"
#include "shell/windows/ScreenCoords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(ScreenCoords, FlipAgainstTheMainScreenAndRoundHalvesAwayFromZero)
{
    plat::Screens::Set({plat::Screens::Make(1, plat::Rect{0, 0, 1440, 900.75}, true)});
    EXPECT_EQ(GetMainScreenHeight(), 900);
    const plat::Point p = PointToNSPoint(CLPoint{10, 0}, 900);
    EXPECT_DOUBLE_EQ(p.x, 10);
    EXPECT_DOUBLE_EQ(p.y, 900);
    EXPECT_EQ(NSRectToRect(plat::Rect{0, 0, 100, 50}, 900), (CLRect{0, 850, 100, 900}));
    const plat::Rect r = RectToNSRect(CLRect{0, 850, 100, 900}, 900);
    EXPECT_DOUBLE_EQ(r.y, 0);
    EXPECT_DOUBLE_EQ(r.height, 50);
    EXPECT_EQ(NSPointToPoint(plat::Point{10.5, 900}, 900), (CLPoint{11, 0}));
    EXPECT_EQ(NSPointToPoint(plat::Point{-10.5, 910.5}, 900), (CLPoint{-11, -11}));
    EXPECT_EQ(NSPointToPoint(plat::Point{1e12, 0}, 0).x, INT32_MAX);
    plat::Screens::Set({});
    EXPECT_EQ(GetMainScreenHeight(), 0);
    plat::Screens::Reset();
    EXPECT_EQ(GetMainScreenHeight(), 900);
    const plat::Rect cg = RectToCGRect(CLRect{5, 6, 15, 26});
    EXPECT_DOUBLE_EQ(cg.y, 6);
    EXPECT_DOUBLE_EQ(cg.height, 20);
}

TEST(InputQueries, ModifiersNavigationKeysAndUpperCharacters)
{
    LKeyboard keyboard;
    keyboard.SetKey("\xEF\x9C\x80", "\xEF\x9C\x80", 126, 0x20000 | 0x100000, nullptr); // up arrow
    EXPECT_TRUE(keyboard.IsShift());
    EXPECT_TRUE(keyboard.IsCommand());
    EXPECT_FALSE(keyboard.IsOption());
    EXPECT_EQ(keyboard.GetNavKey(), 3);
    keyboard.SetKey("\xEF\x9C\x83", "", 124, 0, nullptr);
    EXPECT_EQ(keyboard.GetNavKey(), 2);
    keyboard.SetKey("\r", "\r", 36, 0, nullptr);
    EXPECT_EQ(keyboard.GetNavKey(), 5);
    keyboard.SetKey("\x03", "\x03", 76, 0, nullptr);
    EXPECT_EQ(keyboard.GetNavKey(), 5);
    keyboard.SetKey("\x19", "\x19", 48, 0x20000, nullptr); // Shift-Tab
    EXPECT_EQ(keyboard.character, 9);
    EXPECT_EQ(keyboard.GetNavKey(), 0);
    keyboard.SetKey("\xC3\xA5", "q", 12, 0x80000, nullptr);
    EXPECT_EQ(keyboard.UpperChar(), 'Q');
    EXPECT_TRUE(keyboard.IsOption());
    LMouse mouse;
    mouse.modifiers = 0x40000;
    EXPECT_TRUE(mouse.IsControl());
    EXPECT_FALSE(mouse.IsShift());
}

TEST(InputQueries, WheelStepsCarryTheirRemainderAndRespectTheLimit)
{
    LMouse mouse;
    mouse.SetWheelSample({}, 0, 7, 0);
    EXPECT_EQ(mouse.GetWheelY(), 7);
    EXPECT_EQ(mouse.TakeWheelStepsY(0, 3), 2);
    EXPECT_EQ(mouse.wheelCarryY, 1);
    mouse.SetWheelSample({}, 0, 2, 0);
    EXPECT_EQ(mouse.TakeWheelStepsY(0, 3), 1);
    EXPECT_EQ(mouse.wheelCarryY, 0);
    mouse.SetWheelSample({}, 0, 0, 0);
    EXPECT_EQ(mouse.TakeWheelStepsY(0, 3), 0);
    mouse.SetWheelSample({}, -7, 0, 0);
    EXPECT_EQ(mouse.TakeWheelStepsX(0, 3), -2); // toward zero
    EXPECT_EQ(mouse.wheelCarryX, -1);
    mouse.SetWheelSample({}, 50, 0, 0);
    EXPECT_EQ(mouse.TakeWheelStepsX(4, 1), 4); // step below 2 counts units; limited
    mouse.SetWheelSample({}, INT32_MAX, 0, 0);
    EXPECT_EQ(mouse.TakeWheelStepsX(0, 0), INT32_MAX);
}

TEST(GetDoubleClickTime, HeldBetweenTwoHundredMillisecondsAndSixtyOneSeconds)
{
    plat::SetDoubleClickIntervalMs(100000);
    EXPECT_EQ(GetDoubleClickTime(), 61000u);
    plat::SetDoubleClickIntervalMs(50);
    EXPECT_EQ(GetDoubleClickTime(), 200u);
    plat::SetDoubleClickIntervalMs(500);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
}

namespace {

int Decode(const std::string& bytes, uint32_t& out, uint32_t* remaining = nullptr)
{
    LMemInStream source(bytes.data(), uint32_t(bytes.size()));
    const int answer = DecodeUTF8Char(source, out);
    if (remaining)
        *remaining = source.Remaining();
    return answer;
}

} // namespace

TEST(DecodeUTF8Char, DecodesOneCharacterAndReportsEndAndMalformedInput)
{
    uint32_t c = 0;
    uint32_t left = 0;
    EXPECT_EQ(Decode("\xE2\x82\xAC!", c, &left), 0);
    EXPECT_EQ(c, 0x20ACu);
    EXPECT_EQ(left, 1u);
    EXPECT_EQ(Decode("A", c), 0);
    EXPECT_EQ(c, 0x41u);
    EXPECT_EQ(Decode("\xF0\x9F\x8E\xB5", c), 0);
    EXPECT_EQ(c, 0x1F3B5u);
    EXPECT_EQ(Decode("\xC0\x80", c), 0); // overlong forms are taken as they come
    EXPECT_EQ(c, 0u);
    EXPECT_EQ(Decode("", c), 1);
    EXPECT_EQ(Decode("\xC3", c), 2);
    EXPECT_EQ(Decode("\x80", c), 2);
    EXPECT_EQ(Decode("\xF8\x80\x80\x80", c), 2);
    EXPECT_EQ(Decode("\xE2\x41\xAC", c), 2);
}

TEST(CScrapAcs_Cca, ReadsFlavoursByNameOrCode)
{
    CScrapAcs_Cca accessor;
    LByteBuffer out;
    const LScrapFlavor faders{LStringRef(), StringToFourCC("FADR")};
    const LScrapFlavor text{LStringRef(plat::Pasteboard::kTypeText), 0};
    EXPECT_FALSE(accessor.HasFlavor(text));
    EXPECT_FALSE(accessor.GetFlavor(text, out));
    plat::Pasteboard& board = plat::Pasteboard::General();
    board.Clear();
    board.SetData("FADR", {1, 2, 3});
    board.SetData("CUE", {});
    accessor.SetPasteboard(&board);
    EXPECT_EQ(CScrapAcs_Cca::FlavorType(faders), "FADR");
    EXPECT_EQ(CScrapAcs_Cca::FlavorType(LScrapFlavor{LStringRef(), StringToFourCC("CUE ")}), "CUE");
    EXPECT_TRUE(accessor.HasFlavor(faders));
    EXPECT_FALSE(accessor.HasFlavor(text));
    ASSERT_TRUE(accessor.GetFlavor(faders, out));
    ASSERT_EQ(out.Size(), 3u);
    EXPECT_EQ(out.Data()[2], 3);
    ASSERT_TRUE(accessor.GetFlavor(LScrapFlavor{LStringRef(), StringToFourCC("CUE ")}, out)); // an empty item
    EXPECT_EQ(out.Size(), 0u);
    EXPECT_FALSE(accessor.GetFlavor(text, out));
    board.Clear();
}

TEST(GetGregorianDate, CountsFromTheFirstOfJanuary2001InGmt)
{
    SGregorianDate d = GetGregorianDate(0);
    EXPECT_EQ(d.year, 2001);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.hour, 0);
    EXPECT_EQ(d.dayOfWeek, 1);
    d = GetGregorianDate(-1.5); // 2000-12-31 23:59:58.5, a Sunday
    EXPECT_EQ(d.year, 2000);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.day, 31);
    EXPECT_EQ(d.minute, 59);
    EXPECT_DOUBLE_EQ(d.second, 58.5);
    EXPECT_EQ(d.dayOfWeek, 7);
    d = GetGregorianDate(1154.0 * 86400 + 3723.25); // leap day 2004-02-29 01:02:03.25
    EXPECT_EQ(d.year, 2004);
    EXPECT_EQ(d.month, 2);
    EXPECT_EQ(d.day, 29);
    EXPECT_EQ(d.hour, 1);
    EXPECT_EQ(d.minute, 2);
    EXPECT_DOUBLE_EQ(d.second, 3.25);
}

TEST(ColorConversions, TruncateToBytesAndHoldOutOfRangeComponents)
{
    const LRGB rgb = NSColorToLRGB(plat::Color{1.0, 0.5, 0.999, 0.2});
    EXPECT_EQ(rgb.red, 255);
    EXPECT_EQ(rgb.green, 127);
    EXPECT_EQ(rgb.blue, 254);
    const LRGB held = NSColorToLRGB(plat::Color{-0.5, 2.0, std::nan(""), 1});
    EXPECT_EQ(held.red, 0);
    EXPECT_EQ(held.green, 255);
    EXPECT_EQ(held.blue, 0);
    const plat::Color back = LRGBToNSColor(rgb);
    EXPECT_DOUBLE_EQ(back.green, 127 / 255.0);
    EXPECT_DOUBLE_EQ(back.alpha, 1.0);
    const SRGBA c = NSColorGetRGBA(plat::Color{0.25, 0, 1, 0.5});
    EXPECT_FLOAT_EQ(c.red, 0.25f);
    EXPECT_FLOAT_EQ(c.alpha, 0.5f);
}
