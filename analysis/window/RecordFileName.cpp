#include "analysis/window/RecordFileName.h"
#include "foundation/core/LStrStream.h"
#include "shell/windows/GregorianDate.h"

#include <algorithm>
#include <cmath>

namespace {

// Room for the stamp, a number that keeps the name unique and the extension below the
// usual 255-byte limit of a file name.
constexpr size_t kMaxSourcePart = 200;
constexpr size_t kMaxExtension = 16;

bool IsAsciiLetterOrDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

void AppendPaddedNumber(uint32_t n, uint32_t width, LStrStream& out)
{
    char digits[10];
    uint32_t count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n > 0 && count < sizeof digits);
    for (uint32_t i = count; i < width; ++i)
        out.PutChar('0');
    for (uint32_t i = std::min(count, width); i > 0; --i)
        out.PutChar(digits[i - 1]);
}

void FormatDate(const SGregorianDate& date, LStrStream& out)
{
    AppendPaddedNumber(uint32_t(std::max(date.year, 0)), 4, out);
    out.PutChar('-');
    AppendPaddedNumber(date.month, 2, out);
    out.PutChar('-');
    AppendPaddedNumber(date.day, 2, out);
}

void FormatTime(const SGregorianDate& date, LStrStream& out)
{
    AppendPaddedNumber(date.hour, 2, out);
    out.PutChar(':');
    AppendPaddedNumber(date.minute, 2, out);
    out.PutChar(':');
    const double second = std::isfinite(date.second) ? std::floor(date.second) : 0.0;
    AppendPaddedNumber(uint32_t(std::clamp(second, 0.0, 59.0)), 2, out);
}

void SanitizeFileName(std::string_view text, LStrStream& out)
{
    // Only the plain blank of the white-space class is kept: a tab or line end in a file
    // name breaks every listing that shows it.
    for (const char c : text)
        out.PutChar(IsAsciiLetterOrDigit(static_cast<unsigned char>(c)) || c == ' ' ? c : '_');
}

std::string RecordFileName(std::string_view sourceName, std::string_view extension, double localAbsoluteTime)
{
    const SGregorianDate date = GetGregorianDate(localAbsoluteTime);
    LStrStream stamp;
    FormatDate(date, stamp);
    stamp.PutChar(' ');
    FormatTime(date, stamp);
    LStrStream name;
    SanitizeFileName(sourceName.substr(0, kMaxSourcePart), name);
    name.PutChar(' ');
    SanitizeFileName(stamp.View(), name);
    if (!extension.empty()) {
        name.PutChar('.');
        SanitizeFileName(extension.substr(0, kMaxExtension), name);
    }
    return std::string(name.View());
}
