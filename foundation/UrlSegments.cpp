#include "foundation/UrlSegments.h"

#include "foundation/LStrStream.h"
#include "foundation/LUrl.h"
#include "foundation/NumberParse.h"

#include <string>

namespace {

int HexValue(char c)
{
    const int value = DigitValue(c);
    return value < 16 ? value : -1;
}

bool IsUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == 0x21
        || c == 0x24 || (c >= 0x27 && c <= 0x2E) || c == 0x5F;
}

LStringRef DecodeAll(std::string_view text)
{
    const std::string copy(text); // NUL-terminated for the cursor walk
    LStrStream out;
    for (const char* p = copy.c_str(); p < copy.c_str() + copy.size();)
        out.PutChar(UrlDecodeChar(p));
    return LStringRef(out.View());
}

} // namespace

char UrlDecodeChar(const char*& cursor)
{
    if (cursor[0] == '%') {
        const int high = HexValue(cursor[1]);
        const int low = high < 0 ? -1 : HexValue(cursor[2]);
        if (low >= 0) {
            cursor += 3;
            return static_cast<char>(high * 16 + low);
        }
    }
    return *cursor++;
}

LStringRef UrlNextSegment(const char*& cursor)
{
    while (*cursor == '/')
        ++cursor;
    LStrStream segment;
    while (*cursor != '\0' && *cursor != '/')
        segment.PutChar(UrlDecodeChar(cursor));
    return LStringRef(segment.View());
}

void UrlEscapeSegmentTo(std::string_view segment, LStrStream& out)
{
    static const char kHex[] = "0123456789ABCDEF";
    if (segment == ".") {
        out.Write("%2E");
        return;
    }
    if (segment == "..") {
        out.Write("%2E%2E");
        return;
    }
    for (const char c : segment) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            out.PutChar(c);
        } else {
            out.PutChar('%');
            out.PutChar(kHex[byte >> 4]);
            out.PutChar(kHex[byte & 15]);
        }
    }
}

LStringRef UrlEscapeSegment(std::string_view segment)
{
    LStrStream out;
    UrlEscapeSegmentTo(segment, out);
    return LStringRef(out.View());
}

void UrlAppendSegment(LStrStream& out, std::string_view segment)
{
    if (segment.empty())
        return;
    if (out.Length() == 0 || out.View().back() != '/')
        out.PutChar('/');
    UrlEscapeSegmentTo(segment, out);
}

LStringRef UrlSplitLastSegment(std::string_view path, LStringRef& lastSegment)
{
    size_t end = path.size();
    while (end > 0 && path[end - 1] == '/')
        --end;
    const size_t slash = path.rfind('/', end == 0 ? 0 : end - 1);
    const size_t start = (slash == std::string_view::npos || end == 0) ? 0 : slash + 1;
    if (end == 0) {
        lastSegment = LStringRef();
        return LStringRef(path);
    }
    lastSegment = DecodeAll(path.substr(start, end - start));
    return LStringRef(path.substr(0, start));
}

LStringRef UrlFileName(const char* url)
{
    LStringRef last;
    (void)UrlSplitLastSegment(LUrl(url).path.View(), last);
    return last;
}
