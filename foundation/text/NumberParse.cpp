#include "foundation/text/NumberParse.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct ParsedInteger {
    bool negative = false;
    bool overflow = false; // the magnitude did not fit in 64 bits
    uint64_t magnitude = 0;
};

const char* SkipSpaceAndSign(const char* p, bool& negative)
{
    while (IsSpaceChar(static_cast<unsigned char>(*p)))
        ++p;
    negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    return p;
}

// The strtol family's reading of an integer: base 0 picks the base from the prefix, and a
// "0x" that no hexadecimal digit follows reads as 0.
ParsedInteger ParseInteger(const char* text, int base)
{
    ParsedInteger result;
    if (!text)
        return result;
    const char* p = SkipSpaceAndSign(text, result.negative);
    const bool hexPrefix = p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16;
    if ((base == 0 || base == 16) && hexPrefix) {
        p += 2;
        base = 16;
    } else if (base == 0) {
        base = p[0] == '0' ? 8 : 10;
    }
    for (; DigitValue(*p) < base; ++p) {
        const uint64_t digit = static_cast<uint64_t>(DigitValue(*p));
        if (result.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / static_cast<uint64_t>(base))
            result.overflow = true;
        else
            result.magnitude = result.magnitude * static_cast<uint64_t>(base) + digit;
    }
    return result;
}

int32_t ToInt32(const ParsedInteger& n)
{
    constexpr uint64_t kMaxPositive = 0x7FFFFFFF;
    if (n.negative)
        return (n.overflow || n.magnitude > kMaxPositive + 1) ? std::numeric_limits<int32_t>::min()
                                                              : static_cast<int32_t>(0 - n.magnitude);
    return (n.overflow || n.magnitude > kMaxPositive) ? std::numeric_limits<int32_t>::max()
                                                      : static_cast<int32_t>(n.magnitude);
}

// Rereads an out-of-range real number through long double; what even that cannot hold is an
// infinity unless its exponent is negative.
double OutOfRangeValue(const char* first, const char* last, std::chars_format format)
{
    long double wide = 0;
    if (std::from_chars(first, last, wide, format).ec == std::errc())
        return static_cast<double>(wide);
    const char marker = format == std::chars_format::hex ? 'p' : 'e';
    for (const char* p = first; p + 1 < last; ++p) {
        if ((*p | 0x20) == marker)
            return p[1] == '-' ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return std::numeric_limits<double>::infinity();
}

} // namespace

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

int32_t StrToLong(const char* text)
{
    return ToInt32(ParseInteger(text, 10));
}

uint32_t StrToULong(const char* text)
{
    const ParsedInteger n = ParseInteger(text, 10);
    if (n.overflow || n.magnitude > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    const auto magnitude = static_cast<uint32_t>(n.magnitude);
    return n.negative ? 0u - magnitude : magnitude;
}

uint64_t StrToHex(const char* text)
{
    const ParsedInteger n = ParseInteger(text, 16);
    if (n.overflow)
        return std::numeric_limits<uint64_t>::max();
    return n.negative ? 0 - n.magnitude : n.magnitude;
}

int32_t StrToLongAuto(const char* text)
{
    return ToInt32(ParseInteger(text, 0));
}

double StrToDouble(const char* text)
{
    if (!text)
        return 0.0;
    bool negative = false;
    const char* p = SkipSpaceAndSign(text, negative);
    const char* last = p + std::strlen(p);
    double value = 0.0;
    std::chars_format format = std::chars_format::general;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && (DigitValue(p[2]) < 16 || p[2] == '.')) {
        p += 2;
        format = std::chars_format::hex;
    }
    const std::from_chars_result result = std::from_chars(p, last, value, format);
    if (result.ec == std::errc::result_out_of_range)
        value = OutOfRangeValue(p, last, format);
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}
