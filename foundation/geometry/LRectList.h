#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/core/LArray.h"
#include "platform/Geometry.h"

// An array of elements of type T with typed access.
template <class T>
class LTypedArray : public LArray {
public:
    LTypedArray() noexcept : LArray(sizeof(T)) {}
    const T& operator[](uint32_t i) const noexcept { return Items<T>()[i]; }
    T& operator[](uint32_t i) noexcept { return Items<T>()[i]; }
    [[nodiscard]] bool Append(const T& item) noexcept { return LArray::Append(&item); }
};

// The rectangles a region is made of.
using LRectList = LTypedArray<CLRect>;
// The same as floating-point platform rectangles.
using LCGRectList = LTypedArray<plat::Rect>;
