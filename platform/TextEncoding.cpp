#include "platform/TextEncoding.h"

#include <algorithm>
#include <array>

namespace plat {

namespace {

// Unicode characters of the Mac Roman bytes 0x80..0xFF; the bytes below are ASCII.
constexpr std::array<char16_t, 128> kMacRomanHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Decodes the character at pos and advances past it; false for a malformed sequence.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& out)
{
    const auto lead = static_cast<uint8_t>(text[pos]);
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    }
    size_t extra = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, minimum = 0x80, out = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, minimum = 0x800, out = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, minimum = 0x10000, out = lead & 0x07;
    } else {
        return false; // stray continuation, overlong two-byte lead or out of range
    }
    if (text.size() - pos <= extra)
        return false;
    for (size_t i = 1; i <= extra; ++i) {
        const auto byte = static_cast<uint8_t>(text[pos + i]);
        if (!IsContinuation(byte))
            return false;
        out = (out << 6) | (byte & 0x3F);
    }
    if (out < minimum || out > 0x10FFFF || (out >= 0xD800 && out <= 0xDFFF))
        return false;
    pos += extra + 1;
    return true;
}

// Calls visit(codePoint) for each character; false (after visiting a prefix) when malformed.
template <typename Visit>
bool ForEachCodePoint(std::string_view utf8, Visit visit)
{
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < utf8.size()) {
        if (!DecodeUtf8(utf8, pos, cp))
            return false;
        visit(cp);
    }
    return true;
}

int MacRomanByteOf(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp > 0xFFFF)
        return -1;
    const auto found = std::find(kMacRomanHigh.begin(), kMacRomanHigh.end(), static_cast<char16_t>(cp));
    if (found == kMacRomanHigh.end())
        return -1;
    return 0x80 + static_cast<int>(found - kMacRomanHigh.begin());
}

} // namespace

bool IsValidUtf8(std::string_view utf8)
{
    return ForEachCodePoint(utf8, [](char32_t) {});
}

bool AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    const bool valid = ForEachCodePoint(utf8, [&out](char32_t cp) {
        if (cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
    });
    if (!valid)
        out.clear();
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00
            && utf16[i + 1] <= 0xDFFF) {
            const char32_t low = utf16[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (!AppendUtf8(out, unit)) {
            out.push_back(kLossByte); // unpaired surrogate
        }
    }
    return out;
}

std::string Utf8ToMacRoman(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    const bool valid = ForEachCodePoint(utf8, [&out](char32_t cp) {
        const int byte = MacRomanByteOf(cp);
        out.push_back(byte < 0 ? kLossByte : static_cast<char>(byte));
    });
    if (!valid)
        out.clear();
    return out;
}

char32_t MacRomanToUnicode(uint8_t byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kMacRomanHigh[byte - 0x80]);
}

std::string MacRomanToUtf8(std::string_view macRoman)
{
    std::string out;
    out.reserve(macRoman.size() * 2);
    for (const char c : macRoman)
        AppendUtf8(out, MacRomanToUnicode(static_cast<uint8_t>(c)));
    return out;
}

char32_t NextCodePointLossy(std::string_view text, size_t& pos)
{
    constexpr char32_t kReplacement = 0xFFFD;
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 1) {
        ++pos;
        return lead;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    char32_t value = lead & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

std::string Utf8WithReplacements(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    for (size_t pos = 0; pos < bytes.size();)
        AppendUtf8(out, NextCodePointLossy(bytes, pos));
    return out;
}

} // namespace plat
