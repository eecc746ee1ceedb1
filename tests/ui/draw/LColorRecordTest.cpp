#include "controls/CColor.h"
#include "ui/draw/LColorRecord.h"
#include "ui/draw/LRGB.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(LColorRecord, EqualityByIdOrByKey)
{
    LColorRecord a, b;
    a.colorId = b.colorId = 3;
    a.red = 10;
    EXPECT_TRUE(a.Equals(b));
    LColorRecord c, d;
    c.alpha = 0.5f;
    const bool before = c.Equals(d);
    d.alpha = 0.5f;
    const bool sameAlpha = c.Equals(d);
    d.index = 2;
    EXPECT_EQ(std::tuple(before, sameAlpha, c.Equals(d)), std::tuple(false, true, false));
    LColorRecord e;
    e.colorId = 3;
    EXPECT_FALSE(e.Equals(c));  // an id never equals a colour without one
}

TEST(LColorRecord, SharedRecordsAreInternedAndRgbOnesLeaveWithTheLastHandle)
{
    EXPECT_EQ(CColor::Grey(2), CColor::Grey(2));
    EXPECT_EQ(std::tuple(int(CColor::Grey(2)->red), int(CColor::Grey(4)->blue), int(CColor::Grey(9)->red), CColor::Grey(9)->index),
              std::tuple(0x80, 0xFF, 0, 9u));
    EXPECT_EQ(CColor::FromId(5), CColor::FromId(5));
    CColorRef a, b;
    CColor::AssignRGB(a, LRGB{1, 2, 3}, 0);
    CColor::AssignRGBA(b, LRGB{1, 2, 3}, 0, 1.0f);
    EXPECT_EQ(a.Get(), b.Get());
    CColor::AssignRGBA(b, LRGB{1, 2, 3}, 0, 0.5f);
    EXPECT_NE(a.Get(), b.Get());
    LColorRecord key;
    std::tie(key.red, key.green, key.index) = std::tuple(77, 1, 12345);
    {
        CColorRef held(CColor::FromRGB(77, 1, 0, 12345, 1.0f));
        EXPECT_EQ(LColorRecord::FindRegistered(key), held.Get());
    }
    EXPECT_EQ(LColorRecord::FindRegistered(key), nullptr);
    // Greys and ids stay for the run.
    LColorRecord grey;
    grey.red = grey.green = grey.blue = 0xC0;
    grey.index = 3;
    CColor::Grey(3);
    EXPECT_NE(LColorRecord::FindRegistered(grey), nullptr);
}

TEST(LColorRecord, NamedIdsDrawInTheDesktopColoursAndRgbClampsUnsigned)
{
    plat::Color focus = CColor::FromId(4)->PlatformColor();
    EXPECT_EQ(focus.red, CColor::FromId(5)->PlatformColor().red);
    EXPECT_LT(focus.alpha, 1.0);
    CColorRef held(CColor::FromRGB(255, 0, 51, 0, 0.5f));
    plat::Color own = held->PlatformColor();
    EXPECT_DOUBLE_EQ(own.blue, 0.2);
    EXPECT_EQ(std::pair(own.red, own.alpha), std::pair(1.0, 0.5));
    LRGB rgb;
    rgb.Set(300, -1, 12);
    EXPECT_EQ(rgb, (LRGB{255, 255, 12}));
}

