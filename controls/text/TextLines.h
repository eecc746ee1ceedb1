#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// Splitting a text into the lines it is drawn in: at hard line ends, and for word-wrapped text
// also where the next word would pass the available width.
namespace TextLines {

// The width in pixels of a run of text in the font being laid out.
using MeasureFn = std::function<double(std::string_view)>;

// One drawn line: a range of bytes of the text, its line end not included.
struct Line {
    size_t start = 0;
    size_t length = 0;
};

// Number of line ends: a line feed ends a line, a carriage return ends one unless a line feed
// follows it (CR LF counts once). The text ends at its first NUL byte.
uint32_t CountLineEnds(std::string_view text);

// The lines between hard line ends (count = CountLineEnds + 1), nothing wrapped.
std::vector<Line> HardLines(std::string_view text);

// The lines of the text wrapped at `width`: a line breaks after the last blank that lets the
// line fit; a word wider than the whole width is broken between characters, at least one
// character per line. Blanks at a wrap point stay at the end of the line they follow.
std::vector<Line> WrapLines(std::string_view text, double width, const MeasureFn& measure);

} // namespace TextLines
