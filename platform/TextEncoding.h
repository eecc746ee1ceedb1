#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Text conversions at the edges of the program, which keeps all text as UTF-8.
// A character the target encoding lacks becomes the loss byte '?'. Input that is not valid
// UTF-8 (overlong forms, encoded surrogates, values above U+10FFFF, cut sequences, stray
// continuation bytes) converts to an empty result.

inline constexpr char kLossByte = '?';

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view utf8);

// Decodes the character at `pos` and moves past it; a malformed sequence yields U+FFFD and
// moves one byte.
char32_t NextCodePointLossy(std::string_view text, size_t& pos);
// The text as well-formed UTF-8: every malformed byte becomes U+FFFD.
std::string Utf8WithReplacements(std::string_view bytes);

// UTF-8 to UTF-16 in host byte order, no byte-order mark; empty when the input is invalid.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 (host byte order) to UTF-8; an unpaired surrogate becomes the loss byte.
std::string Utf16ToUtf8(std::u16string_view utf16);

// UTF-8 to the application's 8-bit encoding (Mac Roman), one '?' per character it lacks;
// empty when the input is invalid.
std::string Utf8ToMacRoman(std::string_view utf8);

// Mac Roman to UTF-8; every byte has a character.
std::string MacRomanToUtf8(std::string_view macRoman);

// The Unicode character of a Mac Roman byte.
char32_t MacRomanToUnicode(uint8_t byte);

// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogates); false otherwise.
bool AppendUtf8(std::string& out, char32_t codePoint);

} // namespace plat
