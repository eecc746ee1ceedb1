#pragma once
#include "foundation/core/LStringRef.h"

#include <string_view>

class LStrStream;

// Percent-escaping of URL path segments. Unreserved bytes (ASCII letters and digits and
// ! $ ' ( ) * + , - . _) stand as they are; every other byte is written as "%" and two
// upper-case hexadecimal digits. The lone segments "." and ".." are always escaped so that a
// file of that name is never taken for a dot segment.

// Decodes one byte at the cursor ("%" and two hexadecimal digits of either case, or the byte
// itself) and advances past it. The cursor must not stand on the terminating NUL.
char UrlDecodeChar(const char*& cursor);

// Skips a run of "/", then decodes up to the next "/" or the end of the text, where the
// cursor is left. Empty at the end of the text.
LStringRef UrlNextSegment(const char*& cursor);

// The escaped form of a segment; empty for an empty segment.
LStringRef UrlEscapeSegment(std::string_view segment);
void UrlEscapeSegmentTo(std::string_view segment, LStrStream& out);

// Writes "/" (unless the text already ends with one) and the escaped segment; nothing for an
// empty segment.
void UrlAppendSegment(LStrStream& out, std::string_view segment);

// Splits off the last segment (a trailing "/" is ignored): it is decoded into lastSegment and
// the path before it, up to and including its "/", is returned.
LStringRef UrlSplitLastSegment(std::string_view path, LStringRef& lastSegment);

// The decoded last segment of a URL's path.
LStringRef UrlFileName(const char* url);
