#pragma once
#include <cstdint>

class LCharSource;

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
