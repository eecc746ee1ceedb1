#include "platform/values/PlistText.h"
#include "platform/TextEncoding.h"

#include <cstdio>

namespace plat {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = int64_t(yoe) + era * 400 + (m <= 2);
}

bool ParseDigits(std::string_view text, size_t at, size_t count, unsigned& value)
{
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + unsigned(text[i] - '0');
    }
    return true;
}

// The code point of "#123" or "#x7B"; false when malformed or above U+10FFFF.
bool ParseCharRef(std::string_view body, uint32_t& cp)
{
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const size_t start = hex ? 2 : 1;
    if (body.size() <= start)
        return false;
    uint64_t value = 0;
    for (size_t i = start; i < body.size(); ++i) {
        const char c = body[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + uint64_t(digit);
        if (value > 0x10FFFF)
            return false;
    }
    cp = uint32_t(value);
    return true;
}

} // namespace

std::string PlistText::Escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\0': out += kReplacementCharacter; break;  // XML cannot carry NUL in any form
        default:
            if (uint8_t(c) < 0x20 && c != '\t' && c != '\n') {
                out += "&#" + std::to_string(int(uint8_t(c))) + ';';
            } else {
                out += c;
            }
        }
    }
    return out;
}

bool PlistText::AppendEntity(std::string& out, std::string_view body, NulReference nul)
{
    if (body == "amp") { out += '&'; return true; }
    if (body == "lt") { out += '<'; return true; }
    if (body == "gt") { out += '>'; return true; }
    if (body == "quot") { out += '"'; return true; }
    if (body == "apos") { out += '\''; return true; }
    uint32_t cp = 0;
    if (body.empty() || body[0] != '#' || !ParseCharRef(body, cp))
        return false;
    // Texts are NUL-terminated everywhere they go, so NUL itself is never appended.
    if (cp == 0) {
        if (nul == NulReference::Refuse)
            return false;
        out += kReplacementCharacter;
        return true;
    }
    return AppendUtf8(out, char32_t(cp));
}

std::string PlistText::Base64Encode(const std::vector<uint8_t>& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = (uint32_t(bytes[i]) << 16) | (uint32_t(bytes[i + 1]) << 8) | bytes[i + 2];
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += kBase64[(v >> 6) & 63];
        out += kBase64[v & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest) {
        uint32_t v = uint32_t(bytes[i]) << 16;
        if (rest == 2)
            v |= uint32_t(bytes[i + 1]) << 8;
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += rest == 2 ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::vector<uint8_t>> PlistText::Base64Decode(std::string_view text)
{
    std::vector<uint8_t> out;
    uint32_t bits = 0;
    int count = 0;
    int padding = 0;
    for (char c : text) {
        if (IsSpace(c))
            continue;
        if (c == '=') {
            padding++;
            continue;
        }
        const int v = Base64Value(c);
        if (v < 0 || padding)
            return std::nullopt;
        bits = (bits << 6) | uint32_t(v);
        if (++count == 4) {
            out.push_back(uint8_t(bits >> 16));
            out.push_back(uint8_t(bits >> 8));
            out.push_back(uint8_t(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2 || (padding && count + padding != 4))
        return std::nullopt;
    if (count == 2) {
        out.push_back(uint8_t(bits >> 4));
    } else if (count == 3) {
        out.push_back(uint8_t(bits >> 10));
        out.push_back(uint8_t(bits >> 2));
    }
    return out;
}

std::string PlistText::FormatDate(int64_t unixSeconds)
{
    int64_t days = unixSeconds / 86400;
    int64_t rest = unixSeconds % 86400;
    if (rest < 0) {
        rest += 86400;
        days--;
    }
    int64_t y = 0;
    unsigned m = 0;
    unsigned d = 0;
    CivilFromDays(days, y, m, d);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02uT%02d:%02d:%02dZ", static_cast<long long>(y), m, d,
                  int(rest / 3600), int(rest / 60 % 60), int(rest % 60));
    return buffer;
}

std::optional<int64_t> PlistText::ParseDate(std::string_view text)
{
    // Exactly "YYYY-MM-DDTHH:MM:SSZ".
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    unsigned y, mo, d, h, mi, s;
    if (!ParseDigits(text, 0, 4, y) || !ParseDigits(text, 5, 2, mo) || !ParseDigits(text, 8, 2, d) ||
        !ParseDigits(text, 11, 2, h) || !ParseDigits(text, 14, 2, mi) || !ParseDigits(text, 17, 2, s))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return std::nullopt;
    return DaysFromCivil(y, mo, d) * 86400 + int64_t(h) * 3600 + int64_t(mi) * 60 + int64_t(s);
}

} // namespace plat
