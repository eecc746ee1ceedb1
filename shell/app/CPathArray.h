#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>

// A growable list of file locations (string handles) in order.
class CPathArray {
public:
    CPathArray() = default;
    CPathArray(const CPathArray&) = delete;
    CPathArray& operator=(const CPathArray&) = delete;

    // Inserts at index (clamped to the count); a full list grows to count x 2 + 2 places.
    void Insert(uint32_t index, const LStringRef& path);
    void Append(const LStringRef& path) { Insert(fCount, path); }
    uint32_t Count() const { return fCount; }
    uint32_t Capacity() const { return fCapacity; }
    // The path at index, the empty text past the end.
    LStringRef At(uint32_t index) const { return index < fCount ? fPaths[index] : LStringRef(); }

private:
    uint32_t fCount = 0;
    uint32_t fCapacity = 0;
    std::unique_ptr<LStringRef[]> fPaths;
};
