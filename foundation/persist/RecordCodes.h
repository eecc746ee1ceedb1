#pragma once
#include "foundation/records/LFieldDesc.h"

// Codes of the stored record formats.
namespace RecordCodes {
inline constexpr uint32_t kFramework = FourCC("YUND");   // creator of the framework's classes
inline constexpr uint32_t kNullRecord = FourCC("UDNL");  // class of the null record (creator kFramework)
inline constexpr uint32_t kPrimitives = FourCC("UDPR");  // chunk: leading run of simple values
inline constexpr uint32_t kArray = FourCC("UDPA");       // chunk: field tag, then the elements
inline constexpr uint32_t kChild = FourCC("UDUD");       // chunk: field tag, then one record chunk
inline constexpr uint32_t kList = FourCC("UDAR");        // chunk: field tag, then the record chunks
}  // namespace RecordCodes

// Field types whose values are written inline (numbers and texts).
inline bool IsPrimitiveField(LFieldType type)
{
    return uint8_t(type) <= uint8_t(LFieldType::String);
}
