#include "ui/draw/LOffscreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LBitmapContext.h"
#include "ui/draw/LFillRectOp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

LOffscreen Make(uint32_t width, uint32_t height, uint32_t flags = LOffscreen::kPremultipliedAlpha)
{
    LOffscreen offscreen;
    offscreen.Create(width, height, 32, false, flags);
    return offscreen;
}

} // namespace

TEST(LOffscreen, NullAndUndrawableOffscreensAnswerEmpty)
{
    LOffscreen none;
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(std::tuple(none.RowBytes(), none.Width(), none.Height()), std::tuple(1u, 0u, 0u));
    EXPECT_EQ(none.PixelBuffer(), nullptr);
    EXPECT_EQ(none.MakeImage(), nullptr);
    EXPECT_EQ(none.LockContext(), nullptr);
    none.UnlockContext();
    for (uint32_t bits : {0u, 17u, 32u}) {
        LOffscreen grey;
        grey.Create(4, 4, bits, true, 0);
        EXPECT_FALSE(grey.IsValid()) << bits;
    }
    EXPECT_FALSE(Make(0, 4).IsValid());
    EXPECT_FALSE(Make(100000, 4).IsValid());
}

TEST(LOffscreen, ImagesAreCachedUntilDrawingAndCopyThePixels)
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
    // Images copy the pixels.
    LOffscreen drawn = Make(4, 4);
    auto blank = drawn.MakeImage();
    {
        LBitmapContext port(drawn);
        EXPECT_EQ(port.StateByte(0), 1);
        EXPECT_EQ(port.StateByte(1), 32);
        LFillRectOp({0, 0, 2, 2}, LBrush::Make(4)).Draw(port);
        LFillRectOp({-5, -5, 50, 50}, LBrush::Make(3)).Draw(port);  // clipped to the image
    }
    EXPECT_EQ(blank->Pixel(0, 0), 0u);
    auto filled = drawn.MakeImage();
    EXPECT_EQ(filled->Pixel(3, 3), 0xFFFFFFFFu);
    // Raw pixels: premultiplied words in padded rows.
    const uint8_t* bytes = drawn.PixelBuffer();
    uint32_t word;
    std::memcpy(&word, bytes + drawn.RowBytes() * 3 + 3 * 4, 4);
    EXPECT_EQ(word, 0xFFFFFFFFu);
}

TEST(LOffscreen, OpaqueGreyAndSixteenBitFormsStoreWhatWasDrawn)
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
    LOffscreen grey;
    grey.Create(10, 1, 1, true, 0);
    {
        LBitmapContext greyPort(grey);
        greyPort.Context()->SetFillColor({1, 1, 1, 1});
        greyPort.Context()->FillRect({0, 0, 3, 1});
        greyPort.Context()->FillRect({8, 0, 1, 1}); // x, y, width, height
    }
    // White pixels 0-2 and 8, most significant bit first; no alpha: black, not transparent.
    const uint8_t* bits = grey.PixelBuffer();
    EXPECT_EQ(std::pair(bits[0], bits[1]), std::pair(uint8_t(0xE0), uint8_t(0x80)));
    auto greyImage = grey.MakeImage();
    EXPECT_EQ(std::pair(greyImage->Pixel(1, 0), greyImage->Pixel(4, 0)), std::pair(0xFFFFFFFFu, 0xFF000000u));

    LOffscreen colour;
    colour.Create(2, 1, 16, false, 0);
    {
        LBitmapContext greyPort(colour);
        greyPort.Context()->SetFillColor({1, 0.5, 0, 1});
        greyPort.Context()->FillRect({0, 0, 1, 1});
    }
    const uint8_t* words = colour.PixelBuffer();
    const uint16_t word = uint16_t(words[0] | words[1] << 8);
    EXPECT_EQ(std::pair(word >> 10, word & 31), std::pair(31, 0));
    EXPECT_NEAR((word >> 5) & 31, 16, 1);
    EXPECT_EQ(words[2] | words[3] << 8, 0) << "the second pixel stays black";
    // Writing the buffer directly shows in the next greyImage.
    colour.PixelBuffer()[2] = 31;
    EXPECT_EQ(colour.MakeImage()->Pixel(1, 0), 0xFF0000FFu);
}

TEST(LOffscreen, EveryFormHasItsLayout)
{
    const struct {
        uint32_t width, bits;
        bool grey;
        uint32_t flags, rowBytes, perPixel, perComponent, info;
    } forms[] = {
        {3, 32, false, LOffscreen::kPremultipliedAlpha, 16, 32, 8, LOffscreen::kInfoPremultiplied32},
        {5, 24, false, 0, 32, 32, 8, LOffscreen::kInfoOpaque32},
        {9, 16, false, 0, 32, 16, 5, LOffscreen::kInfoColour16},
        {9, 8, false, 0, 32, 16, 5, LOffscreen::kInfoColour16},  // 16 bits or fewer: the 16-bit form
        {17, 8, true, 0, 32, 8, 8, LOffscreen::kInfoGrey},
        {17, 1, true, 0, 16, 1, 1, LOffscreen::kInfoGrey},        // 17 bits: 3 bytes, padded to 16
        {129, 1, true, 0, 32, 1, 1, LOffscreen::kInfoGrey},
        {8, 16, true, 0, 16, 16, 16, LOffscreen::kInfoGrey},
    };
    for (const auto& f : forms) {
        LOffscreen offscreen;
        offscreen.Create(f.width, 2, f.bits, f.grey, f.flags);
        ASSERT_TRUE(offscreen.IsValid()) << f.width << " " << f.bits;
        EXPECT_EQ(std::tuple(offscreen.RowBytes(), offscreen.BitsPerPixel(), offscreen.BitsPerComponent(),
                             offscreen.BitmapInfo(), offscreen.Width(), offscreen.Height()),
                  std::tuple(f.rowBytes, f.perPixel, f.perComponent, f.info, f.width, 2u))
            << f.width << " " << f.bits;
        EXPECT_NE(offscreen.PixelBuffer(), nullptr);
    }
}

TEST(LOffscreen, ALayerDrawsButHasNoPixelsOrImage)
{
    LOffscreen target = Make(4, 4);
    LOffscreen layer;
    layer.CreateLayer(6, 3, target.LockContext());
    target.UnlockContext();
    ASSERT_TRUE(layer.IsValid() && layer.IsLayer());
    EXPECT_EQ(layer.Width(), 6u);
    EXPECT_TRUE(layer.PixelBuffer() == nullptr && layer.MakeImage() == nullptr);
    EXPECT_NE(layer.LockContext(), nullptr);
    layer.UnlockContext();
    LOffscreen fallback;
    fallback.CreateLayer(6, 3, nullptr);
    EXPECT_TRUE(fallback.IsValid() && !fallback.IsLayer()) << "without a context: the bitmap form";
    EXPECT_EQ(fallback.BitmapInfo(), LOffscreen::kInfoPremultiplied32);
    LOffscreen huge;
    huge.CreateLayer(100000, 3, target.LockContext());
    target.UnlockContext();
    EXPECT_FALSE(huge.IsValid());
}
