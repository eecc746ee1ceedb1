#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/core/LHandleData.h"
#include "foundation/geometry/LRegion.h"

#include <cstdint>

class LPortState;

// The framework's abstract image: it knows its size, draws itself scaled into a rectangle of a
// drawing port, and gives the region it covers at a rectangle.
class LImage : public LHandleData {
public:
    LImage() noexcept = default;

    // Recomputes the shape region at the image's own rectangle (and caches that rectangle).
    virtual void ResetShape() = 0;
    virtual bool IsValid() const = 0;
    // True when the image covers all of its rectangle.
    virtual bool IsRectangular() const { return true; }
    // Width in the low 32 bits, height in the high 32 bits.
    virtual uint64_t GetSize() const = 0;
    // The platform image behind this one, and its kind code; 0 when there is none.
    virtual int32_t GetNative(const void** native) const = 0;
    virtual void Draw(LPortState& port, const CLRect& rect) const = 0;

    // The region the image covers when drawn at `rect`; shares the cached region.
    LRegion GetShapeRegionAt(const CLRect& rect);
    // Empty for a rectangular image (the caller then uses the rectangle itself).
    LRegion GetShapeRegion(const CLRect& rect);

protected:
    // The rectangle at which the cached shape region was made.
    CLRect fCachedRect;
    LRegion fShape;
};

// The shared stand-in for a missing or invalid image: it draws nothing and answers zero.
class LNullImage final : public LImage {
public:
    static LNullImage* Instance();

    void ResetShape() override {}
    bool IsValid() const override { return false; }
    uint64_t GetSize() const override { return 0; }
    int32_t GetNative(const void** native) const override;
    void Draw(LPortState&, const CLRect&) const override {}

private:
    LNullImage() noexcept = default;
};
