#pragma once
#include <cstdint>

class LCharSource;
class LStrStream;
class LStringRef;

// Small tokenizers over any character source. White space is blank, tab, LF, VT, FF and CR;
// a "blank" is white space other than CR and LF. A character that ends a token is pushed back.

// Reads past white space, line ends included.
void SkipWhiteSpace(LCharSource& in);
// Reads past white space but stops before CR and LF.
void SkipBlanks(LCharSource& in);

// Skips white space, then reads any number of '+' and '-' (one '-' or more makes the value
// negative) and decimal digits, which wrap modulo 2^32. The value is stored even without
// digits; the result says whether digits were read.
bool ReadInt(LCharSource& in, int32_t& value);
// As ReadInt, but does not pass a line end before the number.
bool ReadLineInt(LCharSource& in, int32_t& value);

// Skips blanks, then returns the next character, or 0 at the end of the input.
char ReadLineChar(LCharSource& in);

// Reads to the end of the current line and consumes its line end: CR, LF, CR LF or LF CR.
// False at the end of the input without a line end.
bool SkipLineEnd(LCharSource& in);

// Skips white space, then copies the following run of other characters; true when one was copied.
bool ReadWord(LCharSource& in, LStrStream& out);
// ReadWord into a string.
bool ReadWordToString(LCharSource& in, LStringRef& out);
// As ReadWord, but does not pass a line end before the word.
bool ReadLineWord(LCharSource& in, LStrStream& out);
// Skips blanks, then copies a number token: signs before the first digit or point, digits and
// one '.'; a second '.' or a sign after a digit ends it. True when a character was copied.
bool ReadNumberToken(LCharSource& in, LStrStream& out);
// Copies up to (not including) the next CR or LF; true when a character was copied.
bool ReadToLineEnd(LCharSource& in, LStrStream& out);
// Skips white space, then copies the rest of the input without its trailing white space.
void CopyTrimmed(LCharSource& in, LStrStream& out);
// Reads one line into out and consumes its line end; false only at the end of the input.
bool ReadTextLine(LCharSource& in, LStringRef& out);
