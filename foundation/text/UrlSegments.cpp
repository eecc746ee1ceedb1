#include "foundation/text/UrlSegments.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/LUrl.h"
#include "foundation/text/NumberParse.h"
#include "platform/files/FileSpecText.h"

#include <string>

namespace {

int HexValue(char c)
{
    const int value = DigitValue(c);
    return value < 16 ? value : -1;
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
    // The platform's escaper is the only one, so that every route gives a file one text.
    out.Write(plat::EscapeSegment(segment));
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
    lastSegment = LStringRef(plat::UnescapeSegment(path.substr(start, end - start)));
    return LStringRef(path.substr(0, start));
}

LStringRef UrlFileName(const char* url)
{
    LStringRef last;
    (void)UrlSplitLastSegment(LUrl(url).path.View(), last);
    return last;
}
