#include "ui/draw/LOffscreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LBitmapContext.h"
#include "ui/draw/LFillRectOp.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOffscreen Make(uint32_t width, uint32_t height, uint32_t flags = LOffscreen::kPremultipliedAlpha)
{
    LOffscreen offscreen;
    offscreen.Create(width, height, 32, false, flags);
    return offscreen;
}

} // namespace

TEST(LOffscreen, RowsArePaddedToSixteenBytes)
{
    EXPECT_EQ(Make(3, 2).RowBytes(), 16u);
    EXPECT_EQ(Make(5, 2).RowBytes(), 32u);
    EXPECT_EQ(Make(4, 2).RowBytes(), 16u);
    LOffscreen offscreen = Make(5, 7);
    EXPECT_TRUE(offscreen.IsValid());
    EXPECT_EQ(offscreen.Width(), 5u);
    EXPECT_EQ(offscreen.Height(), 7u);
}

TEST(LOffscreen, NullAndUndrawableOffscreensAnswerEmpty)
{
    LOffscreen none;
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.RowBytes(), 1u);
    EXPECT_EQ(none.Width(), 0u);
    EXPECT_EQ(none.Height(), 0u);
    EXPECT_EQ(none.PixelBuffer(), nullptr);
    EXPECT_EQ(none.MakeImage(), nullptr);
    EXPECT_EQ(none.LockContext(), nullptr);
    none.UnlockContext();
    LOffscreen grey;
    grey.Create(4, 4, 8, true, 0);
    EXPECT_FALSE(grey.IsValid());
    EXPECT_FALSE(Make(0, 4).IsValid());
    EXPECT_FALSE(Make(100000, 4).IsValid());
}

TEST(LOffscreen, ImagesAreCachedUntilDrawingAndNotWhileLocked)
{
    LOffscreen offscreen = Make(4, 4);
    auto first = offscreen.MakeImage();
    ASSERT_TRUE(first);
    EXPECT_EQ(offscreen.MakeImage(), first);
    offscreen.LockContext();
    auto whileLocked = offscreen.MakeImage();
    EXPECT_NE(whileLocked, first);
    EXPECT_NE(offscreen.MakeImage(), whileLocked);  // not cached while locked
    offscreen.UnlockContext();
    auto after = offscreen.MakeImage();
    EXPECT_EQ(offscreen.MakeImage(), after);
}

TEST(LOffscreen, ImagesCopyThePixels)
{
    LOffscreen offscreen = Make(4, 4);
    auto before = offscreen.MakeImage();
    {
        LBitmapContext port(offscreen);
        EXPECT_EQ(port.StateByte(0), 1);
        EXPECT_EQ(port.StateByte(1), 32);
        LFillRectOp({0, 0, 2, 2}, LBrush::Make(4)).Draw(port);
        LFillRectOp({-5, -5, 50, 50}, LBrush::Make(3)).Draw(port);  // clipped to the image
    }
    EXPECT_EQ(before->Pixel(0, 0), 0u);
    auto after = offscreen.MakeImage();
    EXPECT_EQ(after->Pixel(3, 3), 0xFFFFFFFFu);
    // Raw pixels: premultiplied words in padded rows.
    const uint8_t* bytes = offscreen.PixelBuffer();
    uint32_t word;
    std::memcpy(&word, bytes + offscreen.RowBytes() * 3 + 3 * 4, 4);
    EXPECT_EQ(word, 0xFFFFFFFFu);
}

TEST(LOffscreen, OpaqueFormImagesHaveNoTransparency)
{
    LOffscreen offscreen = Make(2, 1, 0);
    {
        LBitmapContext port(offscreen);
        port.Context()->SetFillColor({1, 0, 0, 0.5});
        port.Context()->FillRect({0, 0, 1, 1});
    }
    auto image = offscreen.MakeImage();
    EXPECT_EQ(image->Pixel(0, 0), 0xFF800000u);
    EXPECT_EQ(image->Pixel(1, 0), 0xFF000000u);
}
