#pragma once
#include "platform/Geometry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Canvas;
class Font;

enum class TextAlign { Left, Center, Right };

// A UTF-8 text broken into lines with one font: at line ends (LF, CR, or CR LF counted once)
// and, when a wrap width is given, between words so that no line is wider than it (a word
// wider than the whole width is broken between characters). Lines are LineHeight apart.
class TextLayout {
public:
    struct Line {
        size_t start = 0;   // byte offset into the text
        size_t length = 0;  // bytes, without the line end or the spaces a wrap ends on
        double width = 0.0;
    };

    // Lays out `text` (copied); a wrap width of 0 or less breaks only at line ends. The layout
    // holds a count on the font.
    TextLayout(const Font& font, std::string_view text, double wrapWidth = 0.0);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    const std::vector<Line>& Lines() const { return fLines; }
    // The widest line.
    double Width() const { return fWidth; }
    // Line count times the font's line height; 0 for an empty text.
    double Height() const;

    // Draws the lines from the top of `box` downward (the first baseline one ascender below
    // the top), each placed across the box's width by `align`, in the canvas's fill colour.
    // With ClipToBox the drawing stays inside the box.
    enum class Clip { None, ToBox };
    void Draw(Canvas& canvas, const Rect& box, TextAlign align, Clip clip = Clip::None) const;

private:
    void BreakParagraph(size_t start, size_t end, double wrapWidth);
    void AddLine(size_t start, size_t end);

    const Font& fFont;
    std::string fText;
    std::vector<Line> fLines;
    double fWidth = 0.0;
};

} // namespace plat
