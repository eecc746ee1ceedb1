#pragma once
#include <cstdint>

// Pascal strings: a length byte followed by at most 255 bytes, as resource names are stored.

// Copies min(n, length) bytes of source after a length byte; n is clamped to 255. A null source
// stores the length 0. out must hold n + 1 bytes.
void CopyToPascal(const void* source, uint32_t length, uint8_t* out, uint32_t n);
// Converts a UTF-8 text to the application's 8-bit encoding ('?' for characters it lacks) and
// stores at most n (<= 255) bytes of it as a Pascal string. Invalid UTF-8 stores the length 0.
void StringToPascal(const char* text, uint8_t* out, uint32_t n);
