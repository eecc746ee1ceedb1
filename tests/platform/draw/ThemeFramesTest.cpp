#include "platform/draw/ThemeFrames.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/SystemColors.h"

#include <gtest/gtest.h>

namespace {

uint32_t Opaque(unsigned rgb) { return 0xFF000000u | rgb; }

// True when no pixel inside r (whole pixels) was drawn.
bool InsideUntouched(const plat::Bitmap& bitmap, int x, int y, int w, int h)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (bitmap.Pixel(i, j) != 0)
                return false;
    return true;
}

} // namespace

TEST(ThemeFrames, TextFieldFrameIsASunkenBevelJustOutside)
{
    plat::Bitmap bitmap(30, 30);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor({1, 0, 0, 1});
    plat::DrawThemeFrame(canvas, {10, 10, 10, 10}, plat::FrameKind::TextField, plat::FrameActivity::Active,
                         plat::FrameFocus::None);
    using C = plat::ThemeColors;
    EXPECT_EQ(bitmap.Pixel(9, 9), Opaque(C::kEdgeDark));
    EXPECT_EQ(bitmap.Pixel(9, 15), Opaque(C::kEdgeDark));
    EXPECT_EQ(bitmap.Pixel(20, 20), Opaque(C::kEdgeLower));
    EXPECT_EQ(bitmap.Pixel(20, 15), Opaque(C::kEdgeLower));
    // The lower edge shows against a white field and against the window's background.
    for (const double around : {1.0, plat::SystemColorValue(plat::SystemColor::WindowBackground).red})
        EXPECT_GE(around * 255 - (C::kEdgeLower & 0xFF), 32) << around;
    EXPECT_EQ(bitmap.Pixel(8, 8), 0u);  // no focus band
    EXPECT_TRUE(InsideUntouched(bitmap, 10, 10, 10, 10));
    // The caller's colours survive the frame.
    EXPECT_DOUBLE_EQ(canvas.FillColor().red, 1.0);
}

TEST(ThemeFrames, FocusShowsOnlyWhenActive)
{
    using C = plat::ThemeColors;
    for (auto activity : {plat::FrameActivity::Active, plat::FrameActivity::Inactive}) {
        plat::Bitmap bitmap(30, 30);
        plat::Canvas canvas(bitmap);
        plat::DrawThemeFrame(canvas, {10, 10, 10, 10}, plat::FrameKind::ListBox, activity,
                             plat::FrameFocus::Focused);
        bool active = activity == plat::FrameActivity::Active;
        EXPECT_EQ(bitmap.Pixel(9, 12), Opaque(active ? C::kEdgeDark : C::kEdgeInactive));
        EXPECT_EQ(bitmap.Pixel(20, 12), Opaque(active ? C::kEdgeDark : C::kEdgeInactive));
        EXPECT_EQ(bitmap.Pixel(6, 12) != 0, active);   // focus band reaches 4 pixels out
        EXPECT_EQ(bitmap.Pixel(5, 12), 0u);            // and no further
        EXPECT_EQ(bitmap.Pixel(23, 23) != 0, active);
        EXPECT_TRUE(InsideUntouched(bitmap, 10, 10, 10, 10));
    }
}

TEST(ThemeFrames, SeparatorsFollowTheLongerSide)
{
    using C = plat::ThemeColors;
    plat::Bitmap bitmap(20, 20);
    plat::Canvas canvas(bitmap);
    plat::DrawSeparator(canvas, {0, 5, 20, 2}, plat::FrameActivity::Active);
    EXPECT_EQ(bitmap.Pixel(19, 5), Opaque(C::kEdgeDark));
    EXPECT_EQ(bitmap.Pixel(0, 6), Opaque(C::kEdgeLight));
    EXPECT_EQ(bitmap.Pixel(0, 7), 0u);
    plat::DrawSeparator(canvas, {3, 10, 1, 10}, plat::FrameActivity::Inactive);
    EXPECT_EQ(bitmap.Pixel(3, 19), Opaque(C::kEdgeInactive));
    EXPECT_EQ(bitmap.Pixel(4, 19), 0u);
    plat::DrawSeparator(canvas, {0, 0, 0, 0}, plat::FrameActivity::Active);  // nothing to draw
}
