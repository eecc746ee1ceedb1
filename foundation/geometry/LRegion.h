#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/geometry/LRectList.h"
#include "foundation/core/LRef.h"
#include "foundation/geometry/LRegionData.h"

enum class LRegionOp;

// An area of pixels: the update and clip areas of panes and windows, the shapes of images.
// The handle shares its block with other handles and copies on write; null is the empty region.
// A region that is one rectangle has no band list, so equal regions have equal representations.
// Moves saturate at the 32-bit limits instead of wrapping.
class LRegion : public LTypedRef<LRegionData> {
public:
    LRegion() noexcept = default;
    explicit LRegion(const CLRect& rect) noexcept { SetRect(rect); }

    // One rectangle; an empty rectangle gives the empty region.
    void SetRect(const CLRect& rect) noexcept;
    // Makes the region empty.
    void Clear() noexcept { Release(); }
    bool IsEmpty() const noexcept { return !Get(); }
    // The bounding rectangle; all zero for the empty region.
    CLRect GetBounds() const noexcept;
    // True when the region is one plain rectangle.
    bool IsRect() const noexcept { return Get() && !Get()->bands; }

    bool Contains(const CLPoint& point) const noexcept;
    // True when the region shares at least one pixel with rect.
    bool Intersects(const CLRect& rect) const noexcept;
    bool Equals(const LRegion& other) const noexcept;

    // This becomes this op other.
    void Intersect(const LRegion& other) noexcept;
    void Union(const LRegion& other) noexcept;
    // An empty operand on either side changes nothing.
    void Subtract(const LRegion& other) noexcept;
    void Xor(const LRegion& other) noexcept;

    // Moves the region; edges stop at the 32-bit limits and what collapses there goes.
    void Offset(int32_t dx, int32_t dy) noexcept;
    // Positive values shrink the region, negative ones grow every rectangle of it.
    void Inset(int32_t dx, int32_t dy) noexcept;
    // Maps the region from the coordinate space of from to that of to.
    void Map(const CLRect& from, const CLRect& to) noexcept;

    // Appends one rectangle per span and band, top to bottom, left to right.
    void GetRects(LRectList& out) const noexcept;
    // The same rectangles as platform rectangles; out is emptied first.
    void GetCGRects(LCGRectList& out) const noexcept;

private:
    // Installs a walker result, reusing the block when this handle is its only holder.
    void Take(int32_t* bands, const CLRect& bounds) noexcept;
    void Combine(const LRegion& other, LRegionOp op) noexcept;
    void OffsetBy(int64_t dx, int64_t dy) noexcept;
};
