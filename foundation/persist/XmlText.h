#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class LCharSource;
class LStrStream;

// Text helpers of the XML record reader.

// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(char c);

// Appends the UTF-8 form of a code point (1 byte up to 127, else 2 to 4); false, appending
// nothing, for NUL, a surrogate (0xD800-0xDFFF) or a value above 0x10FFFF.
bool EncodeUtf8(std::string& out, uint32_t codePoint);
bool EncodeUtf8(LStrStream& out, uint32_t codePoint);

// Appends the text of an entity body (between '&' and ';'): "quot", "apos", "amp", "lt",
// "gt", "#" and decimal digits, or "#x" and hexadecimal digits. False, appending nothing, for
// anything else, including numbers that overflow or name a refused code point.
bool DecodeXmlEntity(std::string_view body, std::string& out);

// Reads one token of a list written by WriteXmlQuoted: blanks are skipped (not past a line
// end); a token that starts with a quote character or apostrophe runs to the same quote again
// (that quote doubled stands for one), else it is a run of non-white-space characters. A line
// end ends an unfinished quoted token unless lineEndsAllowed. False only when nothing was read.
bool ReadQuotedToken(LCharSource& in, LStrStream& out, bool lineEndsAllowed);
