#pragma once
#include <cstdint>

// Number parsing that never depends on the process locale. Each function skips leading white
// space, accepts an optional sign, ignores trailing characters and reads a null text as 0.

// Decimal, as a 32-bit strtol would read it: values beyond the 32-bit range saturate.
int32_t StrToLong(const char* text);
// Decimal, as a 32-bit strtoul would read it: saturates at 0xFFFFFFFF; a '-' negates modulo 2^32.
uint32_t StrToULong(const char* text);
// Hexadecimal with an optional "0x" prefix, saturating at the 64-bit limit.
uint64_t StrToHex(const char* text);
// Base from the text: "0x" hexadecimal, a leading 0 octal, else decimal; 32-bit as StrToLong.
int32_t StrToLongAuto(const char* text);
// A real number as strtod reads it in the C locale ('.' is the decimal point; "inf", "nan"
// and hexadecimal forms included); overflow gives an infinity, underflow 0.
double StrToDouble(const char* text);

// True for the C library's white-space class: blank, tab, LF, VT, FF, CR.
inline bool IsSpaceChar(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool IsDigitChar(int c)
{
    return c >= '0' && c <= '9';
}
// The value of a digit or letter in bases up to 36 ('a' and 'A' are 10); 99 for anything else.
int DigitValue(char c);
