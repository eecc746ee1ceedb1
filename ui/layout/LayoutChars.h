#pragma once
#include <cstdint>

// Byte classes shared by the layout languages' readers (ASCII only: other bytes are no letters).
namespace LayoutChars {

inline bool IsNameStart(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
inline bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
inline bool IsNamePart(uint8_t c) { return IsNameStart(c) || IsDigit(c); }

} // namespace LayoutChars
