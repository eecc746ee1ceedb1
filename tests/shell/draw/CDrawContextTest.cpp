#include "shell/draw/CDrawContext.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"

#include <gtest/gtest.h>

namespace {

// A titled window whose content sits at (100, 200) from the top-left of the 1440 x 900 screen,
// 300 x 150 points large.
plat::Ref<plat::Window> MakeWindow()
{
    double bottom = 900 - 200 - 150;
    return plat::Window::Make({100, bottom, 300, 150}, 0);
}

} // namespace

TEST(CDrawContext, MeasuringPortCoversTheContent)
{
    plat::Ref<plat::Window> window = MakeWindow();
    CDrawContext port = CDrawContext::Measure(window.Get());
    EXPECT_EQ(port.Context(), CDrawContext::MeasuringCanvas());
    EXPECT_EQ(port.Clip().GetBounds(), (CLRect{0, 0, 300, 150}));
    EXPECT_FALSE(port.InDrawRect());
}

TEST(CDrawContext, WithoutWindowThePortIsEmpty)
{
    CDrawContext measuring = CDrawContext::Measure(nullptr);
    EXPECT_EQ(measuring.Context(), nullptr);
    EXPECT_TRUE(measuring.Clip().IsEmpty());
    CDrawContext drawing(nullptr);
    EXPECT_EQ(drawing.Context(), nullptr);
    EXPECT_EQ(drawing.GlobalToLocal({5, 6}), (CLPoint{5, 6}));
    EXPECT_EQ(drawing.LocalToGlobal({5, 6}), (CLPoint{5, 6}));
}

TEST(CDrawContext, ContentTopLeftIsLocalMinusOrigin)
{
    plat::Ref<plat::Window> window = MakeWindow();
    CDrawContext port = CDrawContext::Measure(window.Get());
    EXPECT_EQ(port.GlobalToLocal({100, 200}), (CLPoint{0, 0}));
    LOriginRecord moved = port.OffsetOrigin(7, 9);
    (void)moved;
    EXPECT_EQ(port.GlobalToLocal({100, 200}), (CLPoint{-7, -9}));
    for (CLPoint p : {CLPoint{0, 0}, CLPoint{-50, 1000}, CLPoint{123, 456}})
        EXPECT_EQ(port.LocalToGlobal(port.GlobalToLocal(p)), p);
}

TEST(CDrawContext, EndingAMeasurementLeavesTransparentColours)
{
    plat::Ref<plat::Window> window = MakeWindow();
    {
        CDrawContext port = CDrawContext::Measure(window.Get());
        port.ApplyColors(CColor::Grey(1));
        EXPECT_DOUBLE_EQ(CDrawContext::MeasuringCanvas()->FillColor().alpha, 1.0);
    }
    plat::Color fill = CDrawContext::MeasuringCanvas()->FillColor();
    plat::Color stroke = CDrawContext::MeasuringCanvas()->StrokeColor();
    EXPECT_DOUBLE_EQ(fill.alpha, 0.0);
    EXPECT_DOUBLE_EQ(stroke.alpha, 0.0);
    EXPECT_DOUBLE_EQ(fill.red, 0.0);
}
