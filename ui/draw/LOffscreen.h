#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LRef.h"

#include <cstdint>
#include <memory>

namespace plat {
class Bitmap;
class Canvas;
}

// The pixels and canvas behind an offscreen image. Held through LOffscreen handles.
class LOffscreenData : public LHandleData {
public:
    LOffscreenData(uint32_t width, uint32_t height, int rowBytes, bool opaque);
    ~LOffscreenData() override;

    uint32_t width;
    uint32_t height;
    std::unique_ptr<plat::Bitmap> pixels;
    std::unique_ptr<plat::Canvas> canvas;
    std::shared_ptr<const plat::Bitmap> cachedImage;
    uint32_t lockCount = 0;
    bool opaque;  // no alpha: images of it are fully opaque
};

// An offscreen image: code draws into it through an ordinary drawing port (LBitmapContext),
// then takes an image of it or reads its raw pixels. A null handle answers like an empty image.
class LOffscreen : public LTypedRef<LOffscreenData> {
public:
    enum : uint32_t { kPremultipliedAlpha = 0x4 };

    LOffscreen() noexcept = default;

    // Makes a new offscreen of the size: 32 bits per pixel, rows padded to a multiple of 16
    // bytes; premultiplied alpha with flag kPremultipliedAlpha, else opaque. The pixels start
    // transparent. Grey and 16-bit forms are not drawable here and leave the handle invalid, as
    // does a size beyond the drawing layer's limit.
    // NOTE: only the 32-bit colour forms; nothing in the program asks for the others.
    void Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, bool grey, uint32_t flags);

    bool IsValid() const;
    // Width and height; (0, 0) for a null handle.
    uint32_t Width() const;
    uint32_t Height() const;
    // Bytes from one row of pixels to the next, at least 1.
    uint32_t RowBytes() const;
    // The pixel memory (rows of RowBytes, premultiplied 0xAARRGGBB words), or null.
    uint8_t* PixelBuffer() const;

    // The canvas to draw with; the first lock drops the cached image since the pixels will
    // change. Null for an invalid offscreen.
    plat::Canvas* LockContext() const;
    void UnlockContext() const;

    // An image of the pixels as they are now (a copy). The same image again until someone draws;
    // an image made while the context is locked is not kept. Null for an invalid offscreen.
    std::shared_ptr<const plat::Bitmap> MakeImage() const;
};
