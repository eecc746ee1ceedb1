#pragma once
#include "foundation/text/LResourceSource.h"
#include "platform/draw/Bitmap.h"
#include "ui/LImage.h"

#include <cstdint>

// A picture of the user interface: a PNG resource of type 'TPNG' decoded into a bitmap. A
// missing or damaged resource gives an image of size 0 that is not valid and draws nothing.
class LPngImage : public LImage {
public:
    static constexpr uint32_t kResType = 0x54504E47;   // 'TPNG'
    // The kind code GetNative answers for a decoded bitmap.
    static constexpr int32_t kNativeBitmap = 134;

    // Loads through `source`, or the application's resource chain when it is null.
    explicit LPngImage(const LResRef& ref, LResourceSource* source = nullptr);

    // Decodes one PNG resource; false when it is missing or not a readable PNG.
    bool LoadResource(LResourceSource& source, const LResRef& ref);

    void ResetShape() override;
    bool IsValid() const override { return !fBitmap.Empty(); }
    bool IsRectangular() const override { return true; }
    uint64_t GetSize() const override { return uint64_t(fWidth) | (uint64_t(fHeight) << 32); }
    // The decoded plat::Bitmap.
    int32_t GetNative(const void** native) const override;
    void Draw(LPortState& port, const CLRect& rect) const override;

private:
    uint32_t fWidth = 0;
    uint32_t fHeight = 0;
    plat::Bitmap fBitmap;
};
