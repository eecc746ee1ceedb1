#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LStrStream;

// Number formatting that never depends on the process locale: '.' is always the decimal point.

LStringRef LongToString(int64_t value);
LStringRef ULongToString(uint64_t value);
void WriteLong(int64_t value, LStrStream& out);

// "0x" when prefixed, then hexadecimal digits (upper or lower case) zero-padded to at least
// minDigits (at most 64).
enum class HexPrefix : uint8_t { No, Yes };
enum class HexCase : uint8_t { Lower, Upper };
void WriteHex(LStrStream& out, uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits);
LStringRef HexToString(uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits);

// The fixed-point text of a value with the given number of decimals (6 when negative), like
// "%-.*f" in the C locale; every integer digit is kept.
LStringRef DoubleToString(int32_t decimals, double value);
// As DoubleToString with at most 15 decimals, then trailing zeros and a bare '.' removed;
// a result of "-0" after trimming becomes "0". Texts without a '.' are kept as they are.
LStringRef DoubleToStringTrim(int32_t decimals, double value);
// Writes the DoubleToStringTrim text of a value.
void WriteDoubleTrim(LStrStream& out, int32_t decimals, double value);

// The unit prefix that brings a value into 1..999: the scale to multiply it by, the prefix
// ("p" .. "T") and the decimals that keep three significant digits.
struct UnitScale {
    float scale = 1.0f;
    const char* prefix = "";
    int32_t decimals = 0;
};
UnitScale ChooseUnitScale(float value);
// The value scaled and trimmed, followed by its unit prefix (0.0005 gives "500u").
void FormatWithUnit(LStrStream& out, float value);
