#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class CBandList;
class LCharSource;

// Band files are small text files; a bigger one is refused rather than read.
inline constexpr uint64_t kMaxBandFileBytes = 16u << 20;

// Replaces the explicit bands of `list` with those of the band file at `path` (a file
// file location or a POSIX path): one band per line, a low and a high frequency in Hz in the
// line's first comma-separated field, separated by white space. Lines without two words, with
// high < low or with numbers beyond the f32 range are skipped. A file that cannot be opened or
// read, or is too large, leaves the list untouched and gives false; `failure` (when given)
// then gets the reason in words.
[[nodiscard]] bool LoadBandFile(CBandList& list, std::string_view path, std::string* failure = nullptr);

// The reading step of LoadBandFile over any character source: drops the explicit bands, then
// inserts the band of every valid line (up to the list's limit).
void ReadBandLines(CBandList& list, LCharSource& source);
