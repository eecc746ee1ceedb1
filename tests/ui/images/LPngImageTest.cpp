#include "ui/images/LPngImage.h"
#include "platform/draw/Bitmap.h"
#include "tests/support/MemResourceSource.h"
#include "ui/LImageRef.h"
#include "ui/draw/LBitmapContext.h"
#include "ui/draw/LOffscreen.h"
#include "ui/images/LImagePane.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::vector<uint8_t> PngOf(int w, int h)
{
    plat::Bitmap bitmap(w, h);
    bitmap.Fill(0xFF102030u);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bitmap.EncodePng(bytes));
    return bytes;
}

TEST(LPngImage, LoadsSizeFromTheResource)
{
    MemResourceSource source;
    source.Add(LPngImage::kResType, 128, "ICON", PngOf(32, 24));
    LPngImage* image = new LPngImage(LResRef{0, "ICON"}, &source);
    LImageRef ref(image);
    ASSERT_FALSE(ref.IsNull());
    const void* native = nullptr;
    EXPECT_EQ(std::pair(ref->GetSize(), ref->GetNative(&native)), std::pair(32u | (uint64_t(24) << 32), int32_t(LPngImage::kNativeBitmap)));
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(static_cast<const plat::Bitmap*>(native)->Pixel(3, 3), 0xFF102030u);
    EXPECT_TRUE(ref->GetShapeRegion({0, 0, 64, 48}).IsEmpty()) << "rectangular";
    EXPECT_TRUE(ref->GetShapeRegionAt({10, 10, 74, 58}).Equals(LRegion(CLRect{10, 10, 74, 58})));
}

TEST(LPngImage, MissingOrDamagedResourceGivesTheNullImage)
{
    MemResourceSource source;
    source.Add(LPngImage::kResType, 1, "BAD", std::string("\x89PNG\r\n\x1a\nnot really"));
    ScopedGlobalResources global(&source);
    for (const char* name : {"MISSING", "BAD"}) {
        LPngImage* image = new LPngImage(LResRef{0, name});
        const void* native = &source;
        EXPECT_EQ((std::tuple{image->GetSize(), image->GetNative(&native), native}),
                  std::tuple(uint64_t(0), 0, static_cast<const void*>(nullptr)));
        LImageRef ref(image);
        EXPECT_TRUE(ref.IsNull()) << name;
    }
}

TEST(LPngImage, DrawsUprightIntoTheImageRect)
{
    // A 4 by 4 picture: red top half, blue bottom half.
    plat::Bitmap bitmap(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, y < 2 ? 0xFFFF0000u : 0xFF0000FFu);
    std::vector<uint8_t> png;
    ASSERT_TRUE(bitmap.EncodePng(png));
    MemResourceSource source;
    source.Add(LPngImage::kResType, 1, "HALVES", png);

    LImagePane pane(nullptr);
    pane.SetImage(LImageRef(new LPngImage(LResRef{0, "HALVES"}, &source)));
    pane.SetMode(LImagePane::kCenter);
    pane.SetRect({0, 0, 8, 8});
    LOffscreen offscreen;
    offscreen.Create(8, 8, 32, false, LOffscreen::kPremultipliedAlpha);
    {
        LBitmapContext port(offscreen);
        pane.DrawSelf(port);
    }
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(offscreen.PixelBuffer() + size_t(y) * offscreen.RowBytes())[x];
    };
    // The top row is on top; centred, nothing lands outside the image rect.
    EXPECT_EQ(std::tuple(pixel(2, 2), pixel(5, 5), pixel(1, 1), pixel(6, 6)), std::tuple(0xFFFF0000u, 0xFF0000FFu, 0u, 0u));
}

} // namespace
