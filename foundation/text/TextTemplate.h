#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LArray;
class LStrStream;

// Fills a message template: "%%" writes one '%'; '%' and a digit d writes argument d when d is
// below the count, nothing otherwise; a '%' at the very end is dropped. Only one character is
// read after a '%', so "%12" is argument 1 followed by "2". A null template gives the empty text.
LStringRef FormatTemplate(const char* templateText, const char* const* arguments, uint32_t count);
// FormatTemplate with the C-string pointers held in an array.
LStringRef FormatArgs(const char* templateText, const LArray& arguments);

// Writes the lines of a text separated by `separator`: CR, LF, CR LF and LF CR all become the
// separator, and a final line end is kept as one separator.
void JoinLines(const char* text, LStrStream& out, const char* separator);
// The text with every line end made LF; the same handle when nothing changes.
LStringRef NormalizeLineEnds(const LStringRef& text);
