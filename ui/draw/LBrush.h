#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LRef.h"
#include "platform/draw/Canvas.h"

#include <cstdint>

class LBrushRef;

// A fill description: a kind and an RGB triplet. Kind 255 fills with the RGB; the other kinds
// name desktop colours: 1 selected text, 2 and 8 disabled control text, 3 white, 4 black,
// 5 grey, 6 control text, 7 selected control text, any other the text colour.
class LBrush : public LHandleData {
public:
    enum : uint32_t { kRGB = 255 };

    // A new brush of the kind with RGB 0.
    static LBrushRef Make(uint32_t kind);
    // A new RGB brush.
    static LBrushRef MakeRGB(uint8_t red, uint8_t green, uint8_t blue);

    // Both null, or both present with the same kind and RGB.
    static bool Equals(const LBrush* a, const LBrush* b);

    // The colour this brush paints with.
    plat::Color PlatformColor() const;

    uint32_t kind = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

private:
    explicit LBrush(uint32_t k) noexcept : kind(k) {}
};

// A handle to a brush (null allowed); equal when LBrush::Equals says so.
class LBrushRef : public LTypedRef<LBrush> {
public:
    LBrushRef() noexcept = default;
    LBrushRef(LBrush* brush) noexcept : LTypedRef<LBrush>(brush) {}
    friend bool operator==(const LBrushRef& a, const LBrushRef& b) { return LBrush::Equals(a.Get(), b.Get()); }
};

// The colour a brush paints with; a null brush paints in the text colour.
plat::Color BrushColor(const LBrush* brush);
