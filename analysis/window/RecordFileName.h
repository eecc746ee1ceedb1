#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class LStrStream;
struct SGregorianDate;

// The names of recordings: the source's name and the local time the recording started.

// The decimal digits of n left-padded with "0" to `width`; a number with more digits keeps
// only its last `width` digits.
void AppendPaddedNumber(uint32_t n, uint32_t width, LStrStream& out);
// "2026-03-04": year, month and day with 4, 2 and 2 digits.
void FormatDate(const SGregorianDate& date, LStrStream& out);
// "05:06:07": hour, minute and whole seconds with 2 digits each.
void FormatTime(const SGregorianDate& date, LStrStream& out);
// Copies letters, digits and blanks; every other byte (punctuation, line ends, tabs and other
// control characters, bytes of non-ASCII characters) becomes "_", so that the text can be
// part of one file name.
void SanitizeFileName(std::string_view text, LStrStream& out);
// "<source> <date>_<time>[.<extension>]" with both parts sanitised ("Sound In_1 2026_03_04
// 05_06_07.wav"); the source's part is cut to keep the name within file-system limits.
std::string RecordFileName(std::string_view sourceName, std::string_view extension, double localAbsoluteTime);
