#include "controls/text/CTextDrawer.h"

#include "platform/draw/Font.h"
#include "platform/draw/TextLayout.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LPortState.h"

#include <algorithm>
#include <cmath>

namespace {

bool SameColor(const plat::Color& a, const plat::Color& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

int32_t Ceil(double value)
{
    return static_cast<int32_t>(std::ceil(value));
}

std::string_view UpToNul(std::string_view text)
{
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

} // namespace

bool CTextDrawer::SetText(const LStringRef& text)
{
    if (text == fText)
        return false;
    fText = text;
    fValid = false;
    return true;
}

bool CTextDrawer::SetFont(const LFont& font)
{
    if (font == fFont)
        return false;
    fFont = font;
    fValid = false;
    return true;
}

bool CTextDrawer::SetColor(const LBrushRef& brush)
{
    if (brush.Get() == fColor.Get())
        return false;
    fColor = brush;
    fValid = false;
    return true;
}

bool CTextDrawer::SetAlignment(int32_t alignment)
{
    if (alignment == fAlignment)
        return false;
    fAlignment = alignment;
    fValid = false;
    return true;
}

bool CTextDrawer::SetMode(int32_t mode)
{
    if (mode == fMode)
        return false;
    fMode = mode;
    fValid = false;
    return true;
}

void CTextDrawer::UpdateAttributes(LPortState&)
{
    const plat::Font* font = fFont.GetNSFont();
    const plat::Color color = BrushColor(fColor.Get());
    if (font != fResolvedFont || !SameColor(color, fResolvedColor))
        fValid = false;
    if (fValid)
        return;
    fResolvedFont = font;
    fResolvedColor = color;
    // The box of an empty line runs from the line's top to the bottom of its descent and gap.
    fLineHeight = font ? font->LineHeight() : 0.0;
    fLineBottom = fLineHeight;
    fAscentGap = font ? fLineBottom - font->Ascender() : 0.0;
    fValid = true;
    fTextWidth = kNotMeasured;
    fWidth = kNotMeasured;
}

int32_t CTextDrawer::GetAscent(LPortState& port)
{
    UpdateAttributes(port);
    return fResolvedFont ? Ceil(fResolvedFont->Ascender()) : 0;
}

int32_t CTextDrawer::CachedWidth(LPortState& port, int32_t& slot)
{
    UpdateAttributes(port);
    if (slot == kNotMeasured)
        slot = fResolvedFont ? Ceil(plat::TextLayout(*fResolvedFont, UpToNul(fText.View())).Width()) : 0;
    return slot;
}

int32_t CTextDrawer::GetTextWidth(LPortState& port)
{
    return CachedWidth(port, fTextWidth);
}

int32_t CTextDrawer::GetWidth(LPortState& port)
{
    return CachedWidth(port, fWidth);
}

int32_t CTextDrawer::MeasureHeight(LPortState& port, int32_t width)
{
    UpdateAttributes(port);
    if (!fResolvedFont || fText.IsEmpty())
        return 0;
    // The layout treats a width of 0 or less as "no wrapping": the narrowest wrap is one pixel.
    const double wrap = width > 0 ? width : 1.0;
    return Ceil(plat::TextLayout(*fResolvedFont, UpToNul(fText.View()), wrap).Height());
}

int32_t CTextDrawer::GetHeight(LPortState& port)
{
    UpdateAttributes(port);
    return Ceil(fLineHeight);
}

int32_t CTextDrawer::GetLineHeight(LPortState& port)
{
    return GetHeight(port);
}

int32_t CTextDrawer::GetLineBottom(LPortState& port)
{
    UpdateAttributes(port);
    return Ceil(fLineBottom);
}

int32_t CTextDrawer::GetAscentGap(LPortState& port)
{
    UpdateAttributes(port);
    return static_cast<int32_t>(std::floor(fAscentGap));
}

int32_t CTextDrawer::GetLinesHeight(LPortState& port)
{
    UpdateAttributes(port);
    return Ceil(fLineHeight) * static_cast<int32_t>(CountLineEnds(fText.View()) + 1);
}

uint32_t CTextDrawer::CountLineEnds(std::string_view text)
{
    text = UpToNul(text);
    uint32_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            ++count;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            ++count;
    }
    return count;
}

void CTextDrawer::DrawLines(plat::Canvas& canvas, double firstBaseline) const
{
    const std::string_view text = UpToNul(fText.View());
    const plat::TextLayout layout(*fResolvedFont, text);
    const double width = static_cast<double>(fRect.right) - fRect.left;
    double baseline = firstBaseline;
    for (const plat::TextLayout::Line& line : layout.Lines()) {
        double x = fRect.left;
        if (fAlignment == kAlignCentre)
            x += (width - line.width) / 2;
        else if (fAlignment == kAlignRight)
            x += width - line.width;
        fResolvedFont->Draw(canvas, text.substr(line.start, line.length), plat::Point{x, baseline});
        baseline += fResolvedFont->LineHeight();
    }
}

void CTextDrawer::Draw(LPortState& port)
{
    if (fText.IsEmpty())
        return;
    UpdateAttributes(port);
    plat::Canvas* canvas = port.Context();
    if (!canvas || !fResolvedFont)
        return;
    LPortStateScope saved(port);
    canvas->SetFillColor(fResolvedColor);
    if (fMode == kModeClipped || fMode == kModeWrapped) {
        const double wrap = fMode == kModeWrapped ? std::max(1, fRect.right - fRect.left) : 0.0;
        const plat::TextLayout layout(*fResolvedFont, UpToNul(fText.View()), wrap);
        const plat::TextAlign align = fAlignment == kAlignCentre  ? plat::TextAlign::Center
                                      : fAlignment == kAlignRight ? plat::TextAlign::Right
                                                                  : plat::TextAlign::Left;
        layout.Draw(*canvas, fRect.ToCGRect(), align, plat::TextLayout::Clip::ToBox);
        return;
    }
    // Mode 0 hangs the line below the top; mode 3 puts its baseline on the top.
    const double drop = fMode == kModeLine ? std::ceil(fResolvedFont->Ascender()) : 0.0;
    DrawLines(*canvas, fRect.top + drop);
}
