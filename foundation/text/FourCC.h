#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// Four-character codes: 32-bit values whose first character is the most significant byte.

// The code's characters up to the first zero byte, without leading or trailing blanks
// (blanks between characters are kept): 'CST#' gives "CST#", 'JP  ' gives "JP".
LStringRef FourCCToString(uint32_t code);
// The first four bytes of a text, padded with blanks; 0 for an empty or null text.
uint32_t StringToFourCC(const char* text);
// As StringToFourCC, but an empty or null text gives four blanks.
uint32_t StringToOSType(const char* text);
// Reverses the byte order.
uint32_t Swap32(uint32_t value);
