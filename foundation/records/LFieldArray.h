#pragma once
#include "foundation/records/LFieldDesc.h"
#include "foundation/records/LObject.h"

#include <cstdint>

// The array objects behind array fields: an LArray of 4, 4, 1 or 4-byte elements for element
// types Int32, UInt32, Byte and Float, an LRefArray for String. Every operation takes the
// field's slot pointer and element type; a null array counts as empty.
class LFieldArray {
public:
    // A new empty array, or null for an element type above String (or no memory).
    static void* Make(LFieldType elemType);
    static void Destroy(void* array, LFieldType elemType) noexcept;

    static uint32_t Count(const void* array, LFieldType elemType) noexcept;
    static const void* Data(const void* array, LFieldType elemType) noexcept;
    // Element `index` (below the count) into `value`.
    static void Get(const void* array, LFieldType elemType, uint32_t index, LElementValue& value);
    static bool Equals(const void* array, LFieldType elemType, uint32_t index, const void* value) noexcept;
    static void Set(void* array, LFieldType elemType, uint32_t index, const void* value);
    // Inserts at an index clamped to the count; false when the array cannot grow.
    [[nodiscard]] static bool Insert(void* array, LFieldType elemType, uint32_t index, const void* value);
    static void Remove(void* array, LFieldType elemType, uint32_t index);
    // Replaces the contents: surplus elements removed from the end, the rest overwritten or appended.
    static void Assign(void* array, LFieldType elemType, const void* elements, uint32_t count);

    static bool IsValidType(LFieldType elemType) noexcept { return uint8_t(elemType) <= 4; }
    static uint32_t ElementSize(LFieldType elemType) noexcept { return elemType == LFieldType::Byte ? 1 : 4; }
};
