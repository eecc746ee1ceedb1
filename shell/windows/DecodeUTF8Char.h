#pragma once
#include <cstdint>

class LCharSource;

// Reads one UTF-8 character from the source into out. Answers 0 for a character, 1 at the
// end of the input (nothing read), 2 for a malformed sequence (a stray continuation byte, a
// byte 0xF8-0xFF, or a missing or wrong continuation byte). Overlong forms and surrogates are
// taken as they come.
int DecodeUTF8Char(LCharSource& source, uint32_t& out);
