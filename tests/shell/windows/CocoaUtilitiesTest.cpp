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
#include <tuple>

namespace {

std::tuple<double, double, double, double> Tie(const plat::Rect& r) { return {r.x, r.y, r.width, r.height}; }

} // namespace

TEST(ScreenCoords, FlipAgainstTheMainScreenAndRoundHalvesAwayFromZero)
{
    plat::Screens::Set({plat::Screens::Make(1, plat::Rect{0, 0, 1440, 900.75}, true)});
    EXPECT_EQ(GetMainScreenHeight(), 900);
    const plat::Point p = PointToNSPoint(CLPoint{10, 0}, 900);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(10.0, 900.0));
    EXPECT_EQ(NSRectToRect(plat::Rect{0, 0, 100, 50}, 900), (CLRect{0, 850, 100, 900}));
    EXPECT_EQ(Tie(RectToNSRect(CLRect{0, 850, 100, 900}, 900)), Tie(plat::Rect{0, 0, 100, 50}));
    EXPECT_EQ(NSPointToPoint(plat::Point{10.5, 900}, 900), (CLPoint{11, 0}));
    EXPECT_EQ(NSPointToPoint(plat::Point{-10.5, 910.5}, 900), (CLPoint{-11, -11}));
    EXPECT_EQ(NSPointToPoint(plat::Point{1e12, 0}, 0).x, INT32_MAX);
    plat::Screens::Set({});
    EXPECT_EQ(GetMainScreenHeight(), 0);
    plat::Screens::Reset();
    EXPECT_EQ(GetMainScreenHeight(), 900);
    EXPECT_EQ(Tie(RectToCGRect(CLRect{5, 6, 15, 26})), Tie(plat::Rect{5, 6, 10, 20}));
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
    for (auto [set, held] : {std::pair{100000, 61000u}, {50, 200u}, {500, 500u}}) {
        plat::SetDoubleClickIntervalMs(set);
        EXPECT_EQ(GetDoubleClickTime(), held) << set;
    }
}

TEST(DecodeUTF8Char, DecodesOneCharacterAndReportsEndAndMalformedInput)
{
    struct Case {
        std::string bytes;
        int answer;
        uint32_t character = 0;
        uint32_t left = 0;
    };
    const Case cases[] = {{"\xE2\x82\xAC!", 0, 0x20AC, 1}, {"A", 0, 0x41, 0}, {"\xF0\x9F\x8E\xB5", 0, 0x1F3B5, 0},
                          {std::string("\xC0\x80", 2), 0, 0, 0}, // overlong forms are taken as they come
                          {"", 1}, {"\xC3", 2}, {"\x80", 2}, {"\xF8\x80\x80\x80", 2}, {"\xE2\x41\xAC", 2}};
    for (const Case& c : cases) {
        LMemInStream source(c.bytes.data(), uint32_t(c.bytes.size()));
        uint32_t out = 0;
        EXPECT_EQ(DecodeUTF8Char(source, out), c.answer) << c.bytes;
        if (c.answer == 0) {
            EXPECT_EQ(std::make_pair(out, source.Remaining()), std::make_pair(c.character, c.left)) << c.bytes;
        }
    }
}

TEST(CScrapAcs_Cca, ReadsFlavoursByNameOrCode)
{
    CScrapAcs_Cca accessor;
    LByteBuffer out;
    const LScrapFlavor faders{LStringRef(), StringToFourCC("FADR")};
    const LScrapFlavor cue{LStringRef(), StringToFourCC("CUE ")};
    const LScrapFlavor text{LStringRef(plat::Pasteboard::kTypeText), 0};
    EXPECT_FALSE(accessor.HasFlavor(text) || accessor.GetFlavor(text, out));
    plat::Pasteboard& board = plat::Pasteboard::General();
    board.Clear();
    board.SetData("FADR", {1, 2, 3});
    board.SetData("CUE", {});
    accessor.SetPasteboard(&board);
    EXPECT_EQ(CScrapAcs_Cca::FlavorType(faders), "FADR");
    EXPECT_EQ(CScrapAcs_Cca::FlavorType(cue), "CUE");
    EXPECT_TRUE(accessor.HasFlavor(faders));
    EXPECT_FALSE(accessor.HasFlavor(text));
    ASSERT_TRUE(accessor.GetFlavor(faders, out));
    ASSERT_EQ(out.Size(), 3u);
    EXPECT_EQ(out.Data()[2], 3);
    ASSERT_TRUE(accessor.GetFlavor(cue, out)); // an empty item
    EXPECT_EQ(out.Size(), 0u);
    EXPECT_FALSE(accessor.GetFlavor(text, out));
    board.Clear();
}

TEST(GetGregorianDate, CountsFromTheFirstOfJanuary2001InGmt)
{
    using Date = std::tuple<int, int, int, int, int, double, int>;
    const std::pair<double, Date> cases[] = {
        {0, {2001, 1, 1, 0, 0, 0.0, 1}},
        {-1.5, {2000, 12, 31, 23, 59, 58.5, 7}},                 // a Sunday
        {1154.0 * 86400 + 3723.25, {2004, 2, 29, 1, 2, 3.25, 7}}, // leap day
        {-307.0 * 86400, {2000, 2, 29, 0, 0, 0.0, 2}},           // the last day of a 400-year cycle
    };
    for (const auto& [time, expected] : cases) {
        const SGregorianDate d = GetGregorianDate(time);
        EXPECT_EQ(Date(d.year, d.month, d.day, d.hour, d.minute, d.second, d.dayOfWeek), expected) << time;
    }
}

TEST(ColorConversions, TruncateToBytesAndHoldOutOfRangeComponents)
{
    const LRGB rgb = NSColorToLRGB(plat::Color{1.0, 0.5, 0.999, 0.2});
    EXPECT_EQ(rgb, (LRGB{255, 127, 254}));
    EXPECT_EQ(NSColorToLRGB(plat::Color{-0.5, 2.0, std::nan(""), 1}), (LRGB{0, 255, 0}));
    const plat::Color back = LRGBToNSColor(rgb);
    EXPECT_DOUBLE_EQ(back.green, 127 / 255.0);
    EXPECT_DOUBLE_EQ(back.alpha, 1.0);
    const SRGBA c = NSColorGetRGBA(plat::Color{0.25, 0, 1, 0.5});
    EXPECT_FLOAT_EQ(c.red, 0.25f);
    EXPECT_FLOAT_EQ(c.alpha, 0.5f);
}
