#include "foundation/geometry/LRegion.h"
#include "foundation/geometry/LRegionWalker.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

int32_t Saturate(int64_t value)
{
    return int32_t(std::clamp(value, kMin32, kMax32));
}

// The band list of a non-empty region: its own, or the 7 words of its rectangle in `scratch`.
const int32_t* BandsOf(const LRegionData& data, int32_t scratch[LRegionWalker::kRectWords])
{
    if (data.bands)
        return data.bands;
    LRegionWalker::RectWords(data.bounds, scratch);
    return scratch;
}

// Calls visit(rect) for every span of every band, top to bottom.
template <class Visit>
void ForEachRect(const LRegionData* data, Visit visit)
{
    if (!data)
        return;
    if (!data->bands) {
        visit(data->bounds);
        return;
    }
    const int32_t* words = data->bands;
    const int32_t* end = words + words[0];
    for (const int32_t* band = words + 1; band < end;) {
        const int32_t n = band[1];
        const int32_t* next = band + 2 + 2 * int64_t(n);
        for (int32_t k = 0; k < n && next < end; ++k)
            visit(CLRect{band[2 + 2 * k], band[0], band[3 + 2 * k], next[0]});
        band = next;
    }
}

} // namespace

void LRegion::SetRect(const CLRect& rect) noexcept
{
    if (rect.IsEmpty())
        Release();
    else
        Take(nullptr, rect);
}

CLRect LRegion::GetBounds() const noexcept
{
    return Get() ? Get()->bounds : CLRect{};
}

bool LRegion::Contains(const CLPoint& point) const noexcept
{
    const LRegionData* data = Get();
    if (!data || !data->bounds.Contains(point))
        return false;
    bool inside = false;
    ForEachRect(data, [&](const CLRect& r) { inside = inside || r.Contains(point); });
    return inside;
}

bool LRegion::Intersects(const CLRect& rect) const noexcept
{
    const LRegionData* data = Get();
    if (!data || !CLRect::Intersects(data->bounds, rect))
        return false;
    bool meets = false;
    ForEachRect(data, [&](const CLRect& r) { meets = meets || CLRect::Intersects(r, rect); });
    return meets;
}

bool LRegion::Equals(const LRegion& other) const noexcept
{
    const LRegionData* a = Get();
    const LRegionData* b = other.Get();
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    if (a->bands || b->bands) {
        if (!a->bands || !b->bands || a->bands[0] != b->bands[0])
            return false;
        return std::equal(a->bands, a->bands + a->bands[0], b->bands);
    }
    return a->bounds == b->bounds;
}

void LRegion::Intersect(const LRegion& other) noexcept
{
    CLRect bounds = GetBounds();
    bounds.Intersect(other.GetBounds());
    if (bounds.IsEmpty()) {
        Release();
        return;
    }
    if (IsRect() && other.IsRect()) {
        Take(nullptr, bounds);
        return;
    }
    Combine(other, LRegionOp::Intersect);
}

void LRegion::Union(const LRegion& other) noexcept
{
    if (other.IsEmpty())
        return;
    if (IsEmpty()) {
        AssignFrom(other);
        return;
    }
    Combine(other, LRegionOp::Union);
}

void LRegion::Subtract(const LRegion& other) noexcept
{
    if (IsEmpty() || other.IsEmpty())
        return;
    Combine(other, LRegionOp::Subtract);
}

void LRegion::Xor(const LRegion& other) noexcept
{
    if (other.IsEmpty())
        return;
    if (IsEmpty()) {
        AssignFrom(other);
        return;
    }
    if (Equals(other)) {
        Release();
        return;
    }
    Combine(other, LRegionOp::Xor);
}

void LRegion::Combine(const LRegion& other, LRegionOp op) noexcept
{
    int32_t scratchA[LRegionWalker::kRectWords];
    int32_t scratchB[LRegionWalker::kRectWords];
    // Keeps other's block alive even when other is this very handle.
    const LRegion keepOther(other);
    const LBandResult result =
        LRegionWalker::Combine(BandsOf(*Get(), scratchA), BandsOf(*keepOther.Get(), scratchB), op);
    Take(result.words, result.bounds);
}

void LRegion::Take(int32_t* bands, const CLRect& bounds) noexcept
{
    if (bounds.IsEmpty()) {
        std::free(bands);
        Release();
        return;
    }
    LRegionData* own = Get();
    if (!bands && own && own->RefCount() == 1) {
        // Sole holder: the block becomes the plain rectangle in place.
        std::free(own->bands);
        own->bands = nullptr;
        own->bounds = bounds;
        return;
    }
    Assign(LRegionData::Make(bounds, bands));
}

void LRegion::Offset(int32_t dx, int32_t dy) noexcept
{
    OffsetBy(dx, dy);
}

void LRegion::OffsetBy(int64_t dx, int64_t dy) noexcept
{
    const LRegionData* data = Get();
    if (!data || (dx == 0 && dy == 0))
        return;
    // Moves of up to 2^32 - 1 go in two steps of the same sign; saturation makes the two
    // steps end where one long move would.
    const int32_t stepX = Saturate(dx), stepY = Saturate(dy);
    if (!data->bands) {
        const CLRect& b = data->bounds;
        Take(nullptr, CLRect{Saturate(b.left + dx), Saturate(b.top + dy), Saturate(b.right + dx),
                             Saturate(b.bottom + dy)});
        return;
    }
    const LBandResult result = LRegionWalker::Offset(data->bands, stepX, stepY);
    Take(result.words, result.bounds);
    if (stepX != dx || stepY != dy)
        OffsetBy(dx - stepX, dy - stepY);
}

void LRegion::Inset(int32_t dx, int32_t dy) noexcept
{
    const int32_t shrinkX = std::max(dx, 0), shrinkY = std::max(dy, 0);
    if (!IsEmpty() && (shrinkX || shrinkY)) {
        LRegion moved(*this);
        moved.Offset(shrinkX, shrinkY);
        LRegion back(*this);
        back.Offset(-shrinkX, -shrinkY);
        Intersect(moved);
        Intersect(back);
    }
    const int64_t growX = std::min(dx, 0), growY = std::min(dy, 0);
    if (IsEmpty() || (growX == 0 && growY == 0))
        return;
    LRegion grown(*this);
    ForEachRect(Get(), [&](const CLRect& r) {
        grown.Union(LRegion(CLRect{Saturate(r.left + growX), Saturate(r.top + growY), Saturate(r.right - growX),
                                   Saturate(r.bottom - growY)}));
    });
    *this = grown;
}

void LRegion::Map(const CLRect& from, const CLRect& to) noexcept
{
    if (IsEmpty())
        return;
    if (CLRect::SameSize(from, to)) {
        OffsetBy(int64_t(to.left) - from.left, int64_t(to.top) - from.top);
        return;
    }
    LRegion mapped;
    ForEachRect(Get(), [&](const CLRect& r) {
        CLRect edge = r;
        edge.Map(from, to);
        mapped.Union(LRegion(edge));
    });
    *this = mapped;
}

void LRegion::GetRects(LRectList& out) const noexcept
{
    ForEachRect(Get(), [&](const CLRect& r) { (void)out.Append(r); });
}

void LRegion::GetCGRects(LCGRectList& out) const noexcept
{
    out.RemoveAll();
    ForEachRect(Get(), [&](const CLRect& r) { (void)out.Append(r.ToCGRect()); });
}
