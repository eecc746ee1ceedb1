#include "ui/draw/LOffscreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"

namespace {

uint32_t RoundUpTo16(uint64_t bytes) { return static_cast<uint32_t>((bytes + 15) & ~uint64_t(15)); }

} // namespace

LOffscreenData::LOffscreenData(uint32_t w, uint32_t h, int rowBytes, bool isOpaque)
    : width(w), height(h), pixels(std::make_unique<plat::Bitmap>(int(w), int(h), rowBytes)), opaque(isOpaque)
{
    if (!pixels->Empty())
        canvas = std::make_unique<plat::Canvas>(*pixels);
}

LOffscreenData::~LOffscreenData()
{
    cachedImage.reset();
    canvas.reset();  // before the pixels it draws on
}

void LOffscreen::Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, bool grey, uint32_t flags)
{
    Release();
    if (grey || bitsPerPixel <= 16)
        return;
    if (width < 1 || height < 1 || width > plat::Bitmap::kMaxSide || height > plat::Bitmap::kMaxSide)
        return;
    int rowBytes = static_cast<int>(RoundUpTo16(uint64_t(width) * 4));
    Assign(new LOffscreenData(width, height, rowBytes, (flags & kPremultipliedAlpha) == 0));
}

bool LOffscreen::IsValid() const { return Get() && Get()->canvas; }
uint32_t LOffscreen::Width() const { return Get() ? Get()->width : 0; }
uint32_t LOffscreen::Height() const { return Get() ? Get()->height : 0; }

uint32_t LOffscreen::RowBytes() const
{
    if (!IsValid())
        return 1;
    return std::max<uint32_t>(1, static_cast<uint32_t>(Get()->pixels->Stride()));
}

uint8_t* LOffscreen::PixelBuffer() const { return IsValid() ? Get()->pixels->Bytes() : nullptr; }

plat::Canvas* LOffscreen::LockContext() const
{
    if (!IsValid())
        return nullptr;
    LOffscreenData& data = *Get();
    if (data.lockCount++ == 0)
        data.cachedImage.reset();
    return data.canvas.get();
}

void LOffscreen::UnlockContext() const
{
    if (IsValid() && Get()->lockCount > 0)
        --Get()->lockCount;
}

std::shared_ptr<const plat::Bitmap> LOffscreen::MakeImage() const
{
    if (!IsValid())
        return nullptr;
    LOffscreenData& data = *Get();
    if (data.cachedImage)
        return data.cachedImage;
    auto image = std::make_shared<plat::Bitmap>(*data.pixels);
    if (data.opaque) {
        for (int y = 0; y < image->Height(); ++y) {
            uint32_t* row = image->Row(y);
            for (int x = 0; x < image->Width(); ++x)
                row[x] |= 0xFF000000u;
        }
    }
    if (data.lockCount == 0)
        data.cachedImage = image;
    return image;
}
