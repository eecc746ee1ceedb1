#include "ui/draw/LPortState.h"
#include "shell/draw/LPortStateScope.h"
#include "tests/ui/draw/DrawTestPort.h"
#include "ui/draw/LFillRectOp.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const uint32_t kBlack = 0xFF000000u;

LBrushRef Black() { return LBrush::Make(4); }

LRegion TwoRects()
{
    LRegion region(CLRect{0, 0, 3, 3});
    region.Union(LRegion(CLRect{6, 6, 8, 8}));
    return region;
}

} // namespace

TEST(LPortState, OffsetOriginMovesOriginAndPendingClipOppositeWaysAndTheClipTakesTheOffset)
{
    LPortState port;
    EXPECT_EQ(port.OffsetOrigin(0, 0).saved, (CLPoint{0, 0}));
    EXPECT_EQ(port.ChangeFlags(), 0);
    EXPECT_EQ(port.OffsetOrigin(5, -3).saved, (CLPoint{0, 0}));
    EXPECT_EQ(port.Origin(), (CLPoint{5, -3}));
    EXPECT_EQ(port.PendingOffset(), (CLPoint{-5, 3}));
    EXPECT_EQ(port.ChangeFlags(), LPortState::kOriginChanged | LPortState::kClipChanged);
    port.SetOrigin({5, -3});  // unchanged: nothing more pending
    EXPECT_EQ(port.PendingOffset(), (CLPoint{-5, 3}));
    port.ApplyPending();  // without a context: the flags stay
    EXPECT_EQ(port.ChangeFlags(), LPortState::kOriginChanged | LPortState::kClipChanged);

    LPortState clipped;
    clipped.SetClip(LRegion(CLRect{10, 10, 20, 20}));
    (void)clipped.OffsetOrigin(4, 2);
    EXPECT_EQ(clipped.Clip().GetBounds(), (CLRect{6, 8, 16, 18}));
    EXPECT_EQ(clipped.PendingOffset(), (CLPoint{0, 0}));
}

TEST(LPortState, ClipAndColourScopesRestoreWhatTheySaved)
{
    LPortState port;
    port.SetClip(LRegion(CLRect{0, 0, 100, 100}));
    port.SetChangeFlags(0);
    CColorRef red(CColor::FromRGB(255, 0, 0, 0, 1.0f));
    {
        LClipScope clip(port.PushClip(LRegion(CLRect{50, 50, 200, 200})));
        EXPECT_EQ(port.Clip().GetBounds(), (CLRect{50, 50, 100, 100}));
        EXPECT_EQ(port.ChangeFlags(), LPortState::kClipChanged);
        port.SetChangeFlags(0);
        auto scope = port.PushColors(red);
        EXPECT_EQ(port.Color().Get(), red.Get());
        EXPECT_EQ(port.ChangeFlags(), LPortState::kColorsChanged);
        port.SetChangeFlags(0);
    }
    EXPECT_EQ(port.Clip().GetBounds(), (CLRect{0, 0, 100, 100}));
    EXPECT_EQ(port.Color().Get(), nullptr);
    EXPECT_EQ(port.ChangeFlags(), LPortState::kClipChanged | LPortState::kColorsChanged);
}

TEST(LPortState, DrawingIsClippedToExactlyTheClipRegion)
{
    DrawTestPort port(10, 10);
    LClipScope clip(port.PushClip(TwoRects()));
    LFillRectOp({0, 0, 10, 10}, Black()).Draw(port);
    EXPECT_EQ(port.Count(kBlack), 9 + 4);
    EXPECT_EQ(std::tuple(port.Pixel(2, 2), port.Pixel(3, 2), port.Pixel(6, 6), port.Pixel(5, 6)),
              std::tuple(kBlack, 0u, kBlack, 0u));
    EXPECT_EQ(port.canvas.SaveDepth(), 0);

    DrawTestPort empty(10, 10);
    LClipScope none(empty.PushClip(LRegion()));
    LFillRectOp({0, 0, 10, 10}, Black()).Draw(empty);
    EXPECT_EQ(empty.Count(0u), 100) << "an empty clip lets nothing be drawn";
}

TEST(LPortState, OriginAndStateScopesComeBackSoTheNextScopeAppliesAgain)
{
    DrawTestPort port(20, 20);
    {
        LOriginScope origin(port.OffsetOrigin(10, 5));
        // The clip follows: the whole bitmap is now (-10, -5) .. (10, 15) in port coordinates.
        EXPECT_EQ(port.Clip().GetBounds(), (CLRect{-10, -5, 10, 15}));
        LFillRectOp({0, 0, 1, 1}, Black()).Draw(port);
    }
    EXPECT_EQ(port.Pixel(10, 5), kBlack);
    EXPECT_EQ(port.Origin(), (CLPoint{0, 0}));
    EXPECT_EQ(port.canvas.Origin().x, 0.0);
    EXPECT_EQ(port.Clip().GetBounds(), (CLRect{0, 0, 20, 20}));
    LFillRectOp({0, 0, 1, 1}, Black()).Draw(port);
    EXPECT_EQ(port.Pixel(0, 0), kBlack);
    DrawTestPort small(10, 10);
    LClipScope clip(small.PushClip(LRegion(CLRect{0, 0, 2, 2})));
    uint8_t before = small.ChangeFlags();
    {
        LPortStateScope scope(small);
        EXPECT_EQ(small.ChangeFlags() & LPortState::kClipChanged, 0);
    }
    EXPECT_EQ(small.ChangeFlags(), before);
    LFillRectOp({0, 0, 10, 10}, Black()).Draw(small);
    EXPECT_EQ(small.Count(kBlack), 4);
}

