#include "platform/draw/TextLayout.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"

#include <algorithm>

namespace plat {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The end of the character that starts at `pos`.
size_t NextCharEnd(const std::string& text, size_t pos, size_t end)
{
    ++pos;
    while (pos < end && IsContinuationByte(text[pos]))
        ++pos;
    return pos;
}

} // namespace

TextLayout::TextLayout(const Font& font, std::string_view text, double wrapWidth) : fFont(font), fText(text)
{
    fFont.Retain();
    if (fText.empty())
        return;
    size_t start = 0;
    for (size_t i = 0; i <= fText.size(); ++i) {
        if (i < fText.size() && fText[i] != '\n' && fText[i] != '\r')
            continue;
        BreakParagraph(start, i, wrapWidth);
        if (i + 1 < fText.size() && fText[i] == '\r' && fText[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
}

TextLayout::~TextLayout() { fFont.Release(); }

double TextLayout::Height() const { return static_cast<double>(fLines.size()) * fFont.LineHeight(); }

void TextLayout::AddLine(size_t start, size_t end)
{
    Line line{start, end - start, fFont.Advance(std::string_view(fText).substr(start, end - start))};
    fWidth = std::max(fWidth, line.width);
    fLines.push_back(line);
}

void TextLayout::BreakParagraph(size_t start, size_t end, double wrapWidth)
{
    if (wrapWidth <= 0.0) {
        AddLine(start, end);
        return;
    }
    std::string_view text(fText);
    while (true) {
        size_t lineEnd = start;      // the end of what fits so far
        size_t lastBreak = start;    // the end of the last whole word that fits
        size_t pos = start;
        while (pos < end) {
            size_t next = NextCharEnd(fText, pos, end);
            if (fText[pos] == ' ') {
                lastBreak = pos;
            } else if (fFont.Advance(text.substr(start, next - start)) > wrapWidth && lineEnd > start) {
                break;
            }
            lineEnd = next;
            pos = next;
        }
        if (pos >= end) {
            AddLine(start, end);
            return;
        }
        size_t cut = lastBreak > start ? lastBreak : lineEnd;
        size_t visibleEnd = cut;
        while (visibleEnd > start && fText[visibleEnd - 1] == ' ')
            --visibleEnd;  // the spaces a wrap ends on take no room
        AddLine(start, visibleEnd > start ? visibleEnd : cut);
        start = cut;
        while (start < end && fText[start] == ' ')
            ++start;
        if (start >= end)
            return;
    }
}

void TextLayout::Draw(Canvas& canvas, const Rect& box, TextAlign align, Clip clip) const
{
    if (fLines.empty())
        return;
    canvas.Save();
    if (clip == Clip::ToBox)
        canvas.ClipToRect(box);
    double baseline = box.y + fFont.Ascender();
    for (const Line& line : fLines) {
        double x = box.x;
        if (align == TextAlign::Center)
            x += (box.width - line.width) / 2.0;
        else if (align == TextAlign::Right)
            x += box.width - line.width;
        fFont.Draw(canvas, std::string_view(fText).substr(line.start, line.length), {x, baseline});
        baseline += fFont.LineHeight();
    }
    canvas.Restore();
}

} // namespace plat
