#include "ui/draw/LOffscreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"

#include <algorithm>

namespace {

using Form = LOffscreenData::Form;

uint32_t RoundUpTo16(uint64_t bytes) { return static_cast<uint32_t>((bytes + 15) & ~uint64_t(15)); }

uint32_t RowBytesOf(Form form, uint32_t width, uint32_t bitsPerPixel)
{
    switch (form) {
    case Form::Grey: return RoundUpTo16((uint64_t(width) * bitsPerPixel + 7) / 8);
    case Form::Colour16: return RoundUpTo16(uint64_t(width) * 2);
    default: return RoundUpTo16(uint64_t(width) * 4);
    }
}

// Straight 8-bit components of a premultiplied word composited over black: the colour a
// format without alpha keeps.
void OverBlack(uint32_t argb, uint32_t& r, uint32_t& g, uint32_t& b)
{
    r = (argb >> 16) & 0xFF;
    g = (argb >> 8) & 0xFF;
    b = argb & 0xFF;
}

uint32_t GreyLevel(uint32_t argb, uint32_t bits)
{
    uint32_t r, g, b;
    OverBlack(argb, r, g, b);
    const uint32_t luma = (r * 299 + g * 587 + b * 114 + 500) / 1000; // 0 .. 255
    const uint32_t top = (1u << bits) - 1;
    return (luma * top + 127) / 255;
}

uint32_t GreyWord(uint32_t level, uint32_t bits)
{
    const uint32_t top = (1u << bits) - 1;
    const uint32_t v = (level * 255 + top / 2) / top;
    return 0xFF000000u | v << 16 | v << 8 | v;
}

// Bit field `index` of `bits` bits in a row, most significant bit first.
uint32_t ReadBits(const uint8_t* row, uint64_t index, uint32_t bits)
{
    uint32_t value = 0;
    for (uint64_t bit = index * bits; bit < (index + 1) * bits; ++bit)
        value = value << 1 | ((row[bit / 8] >> (7 - bit % 8)) & 1u);
    return value;
}

void WriteBits(uint8_t* row, uint64_t index, uint32_t bits, uint32_t value)
{
    for (uint32_t i = 0; i < bits; ++i) {
        const uint64_t bit = index * bits + i;
        const uint8_t mask = uint8_t(0x80u >> (bit % 8));
        if ((value >> (bits - 1 - i)) & 1u)
            row[bit / 8] |= mask;
        else
            row[bit / 8] &= uint8_t(~mask);
    }
}

uint16_t Colour16Word(uint32_t argb)
{
    uint32_t r, g, b;
    OverBlack(argb, r, g, b);
    return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}

uint32_t Colour16Argb(uint16_t word)
{
    auto expand = [](uint32_t five) { return (five << 3) | (five >> 2); };
    return 0xFF000000u | expand((word >> 10) & 31) << 16 | expand((word >> 5) & 31) << 8 | expand(word & 31);
}

} // namespace

LOffscreenData::LOffscreenData(uint32_t w, uint32_t h, Form f, uint32_t bits)
    : width(w), height(h), form(f), bitsPerPixel(bits), rowBytes(RowBytesOf(f, w, bits))
{
    const bool direct = form == Form::Premultiplied32 || form == Form::Opaque32;
    surface = std::make_unique<plat::Bitmap>(int(w), int(h), direct ? int(rowBytes) : int(w) * 4);
    if (surface->Empty())
        return;
    if (form == Form::Grey || form == Form::Colour16)
        packed.assign(size_t(rowBytes) * height, 0);
    canvas = std::make_unique<plat::Canvas>(*surface);
}

LOffscreenData::~LOffscreenData()
{
    cachedImage.reset();
    canvas.reset();  // before the pixels it draws on
}

void LOffscreenData::PackSurface()
{
    if (packed.empty())
        return;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* from = surface->Row(int(y));
        uint8_t* row = packed.data() + size_t(y) * rowBytes;
        for (uint32_t x = 0; x < width; ++x) {
            if (form == Form::Grey) {
                WriteBits(row, x, bitsPerPixel, GreyLevel(from[x], bitsPerPixel));
            } else {
                const uint16_t word = Colour16Word(from[x]);
                row[2 * x] = uint8_t(word);
                row[2 * x + 1] = uint8_t(word >> 8);
            }
        }
    }
}

void LOffscreenData::UnpackSurface()
{
    if (packed.empty())
        return;
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t* to = surface->Row(int(y));
        const uint8_t* row = packed.data() + size_t(y) * rowBytes;
        for (uint32_t x = 0; x < width; ++x) {
            to[x] = form == Form::Grey ? GreyWord(ReadBits(row, x, bitsPerPixel), bitsPerPixel)
                                       : Colour16Argb(uint16_t(row[2 * x] | row[2 * x + 1] << 8));
        }
    }
}

void LOffscreen::Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, bool grey, uint32_t flags)
{
    Release();
    if (width < 1 || height < 1 || width > plat::Bitmap::kMaxSide || height > plat::Bitmap::kMaxSide)
        return;
    if (grey && (bitsPerPixel < 1 || bitsPerPixel > kMaxGreyBits))
        return;
    Form form = Form::Opaque32;
    if (grey)
        form = Form::Grey;
    else if (bitsPerPixel <= 16)
        form = Form::Colour16;
    else if (flags & kPremultipliedAlpha)
        form = Form::Premultiplied32;
    const uint32_t bits = grey ? bitsPerPixel : form == Form::Colour16 ? 16 : 32;
    Assign(new LOffscreenData(width, height, form, bits));
    if (!IsValid())
        Release();
}

void LOffscreen::CreateLayer(uint32_t width, uint32_t height, const plat::Canvas* context)
{
    Release();
    if (!context) {
        Create(width, height, 32, false, kPremultipliedAlpha);
        return;
    }
    if (width < 1 || height < 1 || width > plat::Bitmap::kMaxSide || height > plat::Bitmap::kMaxSide)
        return;
    Assign(new LOffscreenData(width, height, Form::Layer, 32));
    if (!IsValid())
        Release();
}

bool LOffscreen::IsValid() const { return Get() && Get()->canvas; }
bool LOffscreen::IsLayer() const { return IsValid() && Get()->form == Form::Layer; }
uint32_t LOffscreen::Width() const { return Get() ? Get()->width : 0; }
uint32_t LOffscreen::Height() const { return Get() ? Get()->height : 0; }

uint32_t LOffscreen::RowBytes() const
{
    return IsValid() ? std::max<uint32_t>(1, Get()->rowBytes) : 1;
}

uint32_t LOffscreen::BitsPerPixel() const { return IsValid() ? Get()->bitsPerPixel : 0; }

uint32_t LOffscreen::BitsPerComponent() const
{
    if (!IsValid())
        return 0;
    switch (Get()->form) {
    case Form::Grey: return Get()->bitsPerPixel;
    case Form::Colour16: return 5;
    default: return 8;
    }
}

uint32_t LOffscreen::BitmapInfo() const
{
    if (!IsValid())
        return 0;
    switch (Get()->form) {
    case Form::Grey: return kInfoGrey;
    case Form::Colour16: return kInfoColour16;
    case Form::Opaque32: return kInfoOpaque32;
    default: return kInfoPremultiplied32;
    }
}

uint8_t* LOffscreen::PixelBuffer() const
{
    if (!IsValid() || IsLayer())
        return nullptr;
    LOffscreenData& data = *Get();
    return data.packed.empty() ? data.surface->Bytes() : data.packed.data();
}

plat::Canvas* LOffscreen::LockContext() const
{
    if (!IsValid())
        return nullptr;
    LOffscreenData& data = *Get();
    if (data.lockCount++ == 0) {
        data.cachedImage.reset();
        data.UnpackSurface(); // drawing adds to what the pixel buffer holds
    }
    return data.canvas.get();
}

void LOffscreen::UnlockContext() const
{
    if (!IsValid() || Get()->lockCount == 0)
        return;
    if (--Get()->lockCount == 0)
        Get()->PackSurface();
}

std::shared_ptr<const plat::Bitmap> LOffscreen::MakeImage() const
{
    if (!IsValid() || IsLayer())
        return nullptr;
    LOffscreenData& data = *Get();
    if (data.cachedImage)
        return data.cachedImage;
    if (data.lockCount == 0)
        data.UnpackSurface(); // the image shows the pixel buffer as it is
    auto image = std::make_shared<plat::Bitmap>(*data.surface);
    if (data.form == Form::Opaque32) {
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
