#include "platform/draw/ThemeFrames.h"
#include "tests/ui/draw/DrawTestPort.h"
#include "tests/ui/panes/PaneTestKit.h"
#include "ui/draw/LOutlinePane.h"
#include "ui/draw/LSeparatorPane.h"
#include "ui/panes/LPaneFlags.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

LRegion Band(const CLRect& rect)
{
    CLRect inner = rect;
    inner.Inset(1, 1);
    LRegion band(rect);
    band.Subtract(LRegion(inner));
    return band;
}

} // namespace

TEST(LOutlinePane, ShowingAndHidingInvalidateTheOutlineBandAndTheMouseNeverHitsIt)
{
    RecordingPane host(nullptr, nullptr);
    LOutlinePane outline(&host, &host);
    outline.SetRect({2, 2, 12, 8});
    EXPECT_TRUE(outline.HasFlags(kPaneTransparent));
    EXPECT_EQ(outline.HitTest({5, 5}), nullptr);
    host.updates.clear();
    outline.SetState(kEventHide);  // host not shown: nothing
    EXPECT_TRUE(host.updates.empty());
    outline.SetState(kEventHostShow);
    host.updates.clear();
    host.erases.clear();
    outline.SetState(kEventShow);
    ASSERT_EQ(host.updates.size(), 1u);
    outline.SetState(kEventHide);
    ASSERT_EQ(host.updates.size(), 2u);
    EXPECT_TRUE(host.updates[0].Equals(Band({2, 2, 12, 8})) && host.updates[1].Equals(host.updates[0]));
    EXPECT_TRUE(host.erases[0].IsEmpty());
    EXPECT_TRUE(host.erases[1].Equals(host.updates[0]));
}

TEST(LOutlinePane, DrawsAOnePixelOutlineInItsColour)
{
    RecordingPane host(nullptr, nullptr);
    LOutlinePane outline(&host, &host);
    outline.SetRect({1, 1, 6, 5});
    outline.color = CColorRef(CColor::FromRGB(0, 0xFF, 0, 0, 1.0f));
    DrawTestPort port(8, 8);
    outline.DrawSelf(port);
    EXPECT_EQ(port.Count(0xFF00FF00u), 5 * 2 + 2 * 2);
    EXPECT_EQ(std::tuple(port.Pixel(1, 1), port.Pixel(5, 4), port.Pixel(2, 2)), std::tuple(0xFF00FF00u, 0xFF00FF00u, 0u));
}

TEST(LSeparatorPane, ThinTransparentOpaqueLine)
{
    RecordingPane host(nullptr, nullptr);
    LSeparatorPane separator(&host, &host);
    EXPECT_TRUE(separator.HasFlags(0x1010 | kPaneNewFlags));
    EXPECT_EQ(std::pair(separator.PrefWidth(nullptr, 0), separator.PrefHeight(nullptr, 0)), std::pair(1, 1));
    separator.SetRect({0, 3, 10, 4});
    DrawTestPort port(10, 8);
    separator.DrawSelf(port);
    const uint32_t edge = 0xFF000000u | plat::ThemeColors::kEdgeDark;
    EXPECT_EQ(std::tuple(port.Pixel(0, 3), port.Pixel(9, 3), port.Pixel(0, 4)), std::tuple(edge, edge, 0u));
    EXPECT_EQ(port.canvas.SaveDepth(), 0);
}
