#include "foundation/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// Enough for 309 integer digits of the largest double, a sign, a point and the decimals.
constexpr int32_t kMaxDecimals = 1100;
constexpr size_t kIntegerRoom = 330;

template <typename Int>
void AppendInteger(std::string& out, Int value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void WriteLong(int64_t value, std::string& out)
{
    AppendInteger(out, value);
}

std::string LongToString(int64_t value)
{
    std::string out;
    AppendInteger(out, value);
    return out;
}

std::string ULongToString(uint64_t value)
{
    std::string out;
    AppendInteger(out, value);
    return out;
}

void WriteHex(std::string& out, uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits)
{
    static const char kLower[] = "0123456789abcdef";
    static const char kUpper[] = "0123456789ABCDEF";
    const char* digits = letters == HexCase::Upper ? kUpper : kLower;
    if (prefix == HexPrefix::Yes)
        out += "0x";
    char buffer[16];
    size_t count = 0;
    do {
        buffer[count++] = digits[value & 15];
        value >>= 4;
    } while (value != 0);
    const uint32_t width = std::min<uint32_t>(minDigits, 64);
    if (width > count)
        out.append(width - count, '0');
    while (count > 0)
        out.push_back(buffer[--count]);
}

std::string HexToString(uint64_t value, HexPrefix prefix, HexCase letters, uint32_t minDigits)
{
    std::string out;
    WriteHex(out, value, prefix, letters, minDigits);
    return out;
}

std::string DoubleToString(int32_t decimals, double value)
{
    if (decimals < 0)
        decimals = 6;
    decimals = std::min(decimals, kMaxDecimals);
    std::vector<char> buffer(kIntegerRoom + static_cast<size_t>(decimals));
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string DoubleToStringTrim(int32_t decimals, double value)
{
    std::string text = DoubleToString(decimals < 0 ? decimals : std::min(decimals, 15), value);
    if (text.find('.') == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
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

void FormatWithUnit(std::string& out, float value)
{
    const UnitScale unit = ChooseUnitScale(value);
    out += DoubleToStringTrim(unit.decimals, static_cast<double>(value * unit.scale));
    out += unit.prefix;
}
