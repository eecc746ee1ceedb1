#include "foundation/geometry/CLRect.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

// a + b with two's complement wrap-around instead of undefined overflow.
int32_t WrapAdd(int32_t a, int64_t b)
{
    return int32_t(uint32_t(a) + uint32_t(uint64_t(b)));
}

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp(value, kMin32, kMax32));
}

// trunc((a * b + c) / d) for operands of up to 33 bits; d != 0. The product is exact in 64 bits
// while both factors stay below 2^31; beyond that (rectangles wider than half the coordinate
// space) it is computed in extended precision. The result is held to +-2^40, which is far
// outside every rectangle and keeps the caller's sums inside 64 bits.
int64_t ScaledQuotient(int64_t a, int64_t b, int64_t c, int64_t d)
{
    constexpr int64_t kHalf = int64_t(1) << 31;
    constexpr int64_t kLimit = int64_t(1) << 40;
    if (a > -kHalf && a < kHalf && b > -kHalf && b < kHalf)
        return std::clamp((a * b + c) / d, -kLimit, kLimit);
    const long double exact = std::trunc((static_cast<long double>(a) * b + c) / d);
    return int64_t(std::clamp(exact, static_cast<long double>(-kLimit), static_cast<long double>(kLimit)));
}

// ceil(a * b / d) computed as (a * b + d - 1) / d; 0 when d <= 0.
int64_t ScaledCeil(int64_t a, int64_t b, int64_t d)
{
    return d <= 0 ? 0 : ScaledQuotient(a, b, d - 1, d);
}

// (offset * toSize + fromSize / 2) / fromSize + toStart, divisions truncating; fromSize != 0.
int64_t MapEdge(int64_t offset, int64_t fromSize, int64_t toSize, int64_t toStart)
{
    return ScaledQuotient(offset, toSize, fromSize / 2, fromSize) + toStart;
}

// A floating-point coordinate truncated into the 32-bit range; NaN counts as 0.
int32_t TruncClamp(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(kMin32))
        return int32_t(kMin32);
    if (value >= double(kMax32))
        return int32_t(kMax32);
    return int32_t(value);
}

} // namespace

bool CLRect::Contains(const CLPoint& point) const
{
    return left <= point.x && point.x < right && top <= point.y && point.y < bottom;
}

bool CLRect::Intersects(const CLRect& a, const CLRect& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return false;
    return b.top < a.bottom && a.top < b.bottom && b.left < a.right && a.left < b.right;
}

bool CLRect::SameSize(const CLRect& a, const CLRect& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

void CLRect::Offset(int32_t dx, int32_t dy)
{
    left = WrapAdd(left, dx);
    right = WrapAdd(right, dx);
    top = WrapAdd(top, dy);
    bottom = WrapAdd(bottom, dy);
}

void CLRect::Inset(int32_t dx, int32_t dy)
{
    left = WrapAdd(left, dx);
    top = WrapAdd(top, dy);
    right = WrapAdd(right, -int64_t(dx));
    bottom = WrapAdd(bottom, -int64_t(dy));
}

void CLRect::Union(const CLRect& other)
{
    if (other.IsEmpty())
        return;
    if (IsEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

void CLRect::Intersect(const CLRect& other)
{
    left = std::max(left, other.left);
    top = std::max(top, other.top);
    right = std::min(right, other.right);
    bottom = std::min(bottom, other.bottom);
    if (IsEmpty())
        *this = CLRect{};
}

void CLRect::CenterIn(const CLRect& other)
{
    const int64_t dx = ((int64_t(other.left) + other.right) - (int64_t(left) + right)) / 2;
    const int64_t dy = ((int64_t(other.top) + other.bottom) - (int64_t(top) + bottom)) / 2;
    left = WrapAdd(left, dx);
    right = WrapAdd(right, dx);
    top = WrapAdd(top, dy);
    bottom = WrapAdd(bottom, dy);
}

void CLRect::FitInto(const CLRect& other)
{
    const int64_t w = Width(), h = Height();
    const int64_t fitW = other.Width(), fitH = other.Height();
    const int64_t heightAtFullWidth = ScaledCeil(h, fitW, w);
    const int64_t widthAtFullHeight = ScaledCeil(w, fitH, h);
    int64_t newW = fitW, newH = heightAtFullWidth;
    if (heightAtFullWidth > fitH) {
        newW = widthAtFullHeight;
        newH = fitH;
    }
    right = Clamp32(int64_t(left) + newW);
    bottom = Clamp32(int64_t(top) + newH);
    CenterIn(other);
}

void CLRect::Map(const CLRect& from, const CLRect& to)
{
    const int64_t fromW = from.Width(), fromH = from.Height();
    if (fromW == 0) {
        left = right = to.left;
    } else {
        left = Clamp32(MapEdge(int64_t(left) - from.left, fromW, to.Width(), to.left));
        right = Clamp32(MapEdge(int64_t(right) - from.left, fromW, to.Width(), to.left));
    }
    if (fromH == 0) {
        top = bottom = to.top;
    } else {
        top = Clamp32(MapEdge(int64_t(top) - from.top, fromH, to.Height(), to.top));
        bottom = Clamp32(MapEdge(int64_t(bottom) - from.top, fromH, to.Height(), to.top));
    }
}

void CLRect::MakeNonEmpty()
{
    // At the upper limit there is no room after the left edge: the rectangle keeps its
    // right edge there and takes the last pixel before it.
    if (right <= left) {
        if (left == kMax32)
            left = int32_t(kMax32 - 1);
        right = left + 1;
    }
    if (bottom <= top) {
        if (top == kMax32)
            top = int32_t(kMax32 - 1);
        bottom = top + 1;
    }
}

plat::Rect CLRect::ToCGRect() const
{
    return plat::Rect{double(left), double(top), double(Width()), double(Height())};
}

CLRect CLRect::FromCGRect(const plat::Rect& rect)
{
    const plat::Rect whole = plat::Integral(rect);
    CLRect result;
    result.left = TruncClamp(whole.x);
    result.top = TruncClamp(whole.y);
    result.right = TruncClamp(whole.x + whole.width);
    result.bottom = TruncClamp(whole.y + whole.height);
    return result;
}
