#include "foundation/text/NumberFormat.h"

#include "foundation/core/LStrStream.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace {

// Enough for 309 integer digits of the largest double, a sign and a point; decimals come on top.
constexpr size_t kIntegerRoom = 330;
constexpr int32_t kMaxDecimals = 1100;
constexpr int32_t kMaxTrimDecimals = 15;

int32_t EffectiveDecimals(int32_t decimals)
{
    return decimals < 0 ? 6 : std::min(decimals, kMaxDecimals);
}

// Formats into buffer (kIntegerRoom + decimals bytes) and returns the text.
std::string_view FormatFixed(char* buffer, size_t size, int32_t decimals, double value)
{
    const auto result = std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, decimals);
    return std::string_view(buffer, static_cast<size_t>(result.ptr - buffer));
}

// The trimmed text of a value, formatted into a buffer of kIntegerRoom + 15 bytes.
std::string_view FormatTrimmed(char* buffer, int32_t decimals, double value)
{
    decimals = decimals < 0 ? 6 : std::min(decimals, kMaxTrimDecimals);
    std::string_view text = FormatFixed(buffer, kIntegerRoom + kMaxTrimDecimals, decimals, value);
    if (text.find('.') == std::string_view::npos)
        return text;
    while (text.back() == '0')
        text.remove_suffix(1);
    if (text.back() == '.')
        text.remove_suffix(1);
    if (text == "-0")
        text.remove_prefix(1);
    return text;
}

template <typename Int>
std::string_view FormatInteger(char (&buffer)[24], Int value)
{
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string_view(buffer, static_cast<size_t>(result.ptr - buffer));
}

} // namespace

void WriteLong(int64_t value, LStrStream& out)
{
    char buffer[24];
    out.Write(FormatInteger(buffer, value));
}

LStringRef LongToString(int64_t value)
{
    char buffer[24];
    return LStringRef(FormatInteger(buffer, value));
}

LStringRef ULongToString(uint64_t value)
{
    char buffer[24];
    return LStringRef(FormatInteger(buffer, value));
}

void WriteHex(LStrStream& out, uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits)
{
    static const char kLower[] = "0123456789abcdef";
    static const char kUpper[] = "0123456789ABCDEF";
    const char* digits = letters == HexCase::Upper ? kUpper : kLower;
    if (prefix == HexPrefix::Yes)
        out.Write("0x");
    char reversed[16];
    uint32_t count = 0;
    do {
        reversed[count++] = digits[value & 15];
        value >>= 4;
    } while (value != 0);
    for (uint32_t pad = std::min<uint32_t>(minDigits, 64); pad > count; --pad)
        out.PutChar('0');
    while (count > 0)
        out.PutChar(reversed[--count]);
}

LStringRef HexToString(uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits)
{
    LStrStream out;
    WriteHex(out, value, prefix, letters, minDigits);
    return LStringRef(out.View());
}

LStringRef DoubleToString(int32_t decimals, double value)
{
    decimals = EffectiveDecimals(decimals);
    std::vector<char> buffer(kIntegerRoom + static_cast<size_t>(decimals));
    return LStringRef(FormatFixed(buffer.data(), buffer.size(), decimals, value));
}

LStringRef DoubleToStringTrim(int32_t decimals, double value)
{
    char buffer[kIntegerRoom + kMaxTrimDecimals];
    return LStringRef(FormatTrimmed(buffer, decimals, value));
}

void WriteDoubleTrim(LStrStream& out, int32_t decimals, double value)
{
    char buffer[kIntegerRoom + kMaxTrimDecimals];
    out.Write(FormatTrimmed(buffer, decimals, value));
}

UnitScale ChooseUnitScale(float value)
{
    static const char* const kSmall[] = {"", "m", "u", "n", "p"};
    static const char* const kLarge[] = {"", "k", "M", "G", "T"};
    UnitScale unit;
    if (!(value > 0.0f))
        return unit;
    if (value <= 0.999f) {
        int steps = 0;
        while (steps < 4 && value * unit.scale <= 0.999f) {
            unit.scale *= 1000.0f;
            ++steps;
        }
        unit.prefix = kSmall[steps];
    }
    if (value * unit.scale >= 1000.0f) {
        int steps = 0;
        while (steps < 4 && value * unit.scale >= 1000.0f) {
            unit.scale *= 0.001f;
            ++steps;
        }
        unit.prefix = kLarge[steps];
    }
    const float v = value * unit.scale;
    unit.decimals = v >= 100.0f ? 0 : v >= 10.0f ? 1 : v >= 1.0f ? 2 : 3;
    return unit;
}

void FormatWithUnit(LStrStream& out, float value)
{
    const UnitScale unit = ChooseUnitScale(value);
    WriteDoubleTrim(out, unit.decimals, static_cast<double>(value * unit.scale));
    out.Write(unit.prefix);
}
