#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LRef.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {
class Bitmap;
class Canvas;
}

// The pixels and canvas behind an offscreen image. Held through LOffscreen handles.
class LOffscreenData : public LHandleData {
public:
    // The pixel formats an offscreen can have.
    enum class Form : uint8_t {
        Grey,            // bitsPerPixel bits of grey, no alpha
        Colour16,        // 16-bit little-endian words: a skipped bit, then 5 bits each of red, green, blue
        Premultiplied32, // 32-bit words 0xAARRGGBB, premultiplied alpha
        Opaque32,        // 32-bit words 0x--RRGGBB, the first byte skipped
        Layer,           // a drawing layer for a given canvas: no pixel buffer, no image
    };

    LOffscreenData(uint32_t width, uint32_t height, Form form, uint32_t bitsPerPixel);
    ~LOffscreenData() override;

    // Writes what was drawn into the packed buffer of a grey or 16-bit form, and back.
    void PackSurface();
    void UnpackSurface();

    uint32_t width;
    uint32_t height;
    Form form;
    uint32_t bitsPerPixel;
    uint32_t rowBytes = 0;
    std::unique_ptr<plat::Bitmap> surface;   // what the canvas draws on (32-bit)
    std::vector<uint8_t> packed;             // the pixel buffer of the grey and 16-bit forms
    std::unique_ptr<plat::Canvas> canvas;
    std::shared_ptr<const plat::Bitmap> cachedImage;
    uint32_t lockCount = 0;
};

// An offscreen image: code draws into it through an ordinary drawing port (LBitmapContext),
// then takes an image of it or reads its raw pixels. A null handle answers like an empty image.
class LOffscreen : public LTypedRef<LOffscreenData> {
public:
    enum : uint32_t { kPremultipliedAlpha = 0x4 };
    // The pixel layouts as their bitmap-info words name them.
    enum : uint32_t { kInfoGrey = 0, kInfoColour16 = 0x1006, kInfoPremultiplied32 = 0x2002, kInfoOpaque32 = 0x2006 };
    static constexpr uint32_t kMaxGreyBits = 16;

    LOffscreen() noexcept = default;

    // Makes a new offscreen of the size, its rows padded to a multiple of 16 bytes: grey of
    // `bitsPerPixel` bits (1 to 16); colour of 16 bits (5 per component) for 16 bits or fewer;
    // else 32-bit colour, premultiplied with flag kPremultipliedAlpha and opaque without. The
    // pixels start at zero. A size of 0 or beyond the drawing layer's limit, or grey of an
    // unusable depth, leaves the handle invalid.
    void Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, bool grey, uint32_t flags);
    // A drawing layer of the size for drawing onto `context`; without a context the 32-bit
    // premultiplied bitmap form is made instead.
    void CreateLayer(uint32_t width, uint32_t height, const plat::Canvas* context);

    bool IsValid() const;
    bool IsLayer() const;
    // Width and height; (0, 0) for a null handle.
    uint32_t Width() const;
    uint32_t Height() const;
    // Bytes from one row of pixels to the next, at least 1.
    uint32_t RowBytes() const;
    uint32_t BitsPerPixel() const;
    uint32_t BitsPerComponent() const;
    uint32_t BitmapInfo() const;
    // The pixel memory in the offscreen's format (rows of RowBytes), or null for a layer or
    // an invalid offscreen.
    uint8_t* PixelBuffer() const;

    // The canvas to draw with; the first lock drops the cached image since the pixels will
    // change. Null for an invalid offscreen.
    plat::Canvas* LockContext() const;
    // The last unlock stores what was drawn into the pixel buffer.
    void UnlockContext() const;

    // An image of the pixels as they are now (a copy, 32-bit). The same image again until
    // someone draws; an image made while the context is locked is not kept. Null for a layer or
    // an invalid offscreen.
    std::shared_ptr<const plat::Bitmap> MakeImage() const;
};
