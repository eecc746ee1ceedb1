#include "foundation/UrlSegments.h"

#include "foundation/LUrl.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == 0x21
        || c == 0x24 || (c >= 0x27 && c <= 0x2E) || c == 0x5F;
}

std::string DecodeAll(std::string_view text)
{
    const std::string copy(text); // NUL-terminated for the cursor walk
    std::string out;
    for (const char* p = copy.c_str(); p < copy.c_str() + copy.size();)
        out.push_back(UrlDecodeChar(p));
    return out;
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

std::string UrlNextSegment(const char*& cursor)
{
    while (*cursor == '/')
        ++cursor;
    std::string segment;
    while (*cursor != '\0' && *cursor != '/')
        segment.push_back(UrlDecodeChar(cursor));
    return segment;
}

void UrlEscapeSegmentTo(std::string_view segment, std::string& out)
{
    static const char kHex[] = "0123456789ABCDEF";
    if (segment == ".") {
        out += "%2E";
        return;
    }
    if (segment == "..") {
        out += "%2E%2E";
        return;
    }
    for (const char c : segment) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
}

std::string UrlEscapeSegment(std::string_view segment)
{
    std::string out;
    UrlEscapeSegmentTo(segment, out);
    return out;
}

void UrlAppendSegment(std::string& out, std::string_view segment)
{
    if (segment.empty())
        return;
    if (out.empty() || out.back() != '/')
        out.push_back('/');
    UrlEscapeSegmentTo(segment, out);
}

std::string UrlSplitLastSegment(std::string_view path, std::string& lastSegment)
{
    size_t end = path.size();
    while (end > 0 && path[end - 1] == '/')
        --end;
    const size_t slash = path.rfind('/', end == 0 ? 0 : end - 1);
    const size_t start = (slash == std::string_view::npos || end == 0) ? 0 : slash + 1;
    if (end == 0) {
        lastSegment.clear();
        return std::string(path);
    }
    lastSegment = DecodeAll(path.substr(start, end - start));
    return std::string(path.substr(0, start));
}

std::string UrlFileName(const char* url)
{
    std::string last;
    UrlSplitLastSegment(LUrl(url).path, last);
    return last;
}
