#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/geometry/CLRect.h"
#include "platform/draw/Canvas.h"
#include "shell/draw/LFont.h"
#include "ui/draw/LBrush.h"

#include <climits>
#include <cstdint>
#include <string_view>

class LPortState;
namespace plat {
class Font;
}

// Measures and draws one text with one font, one colour and one alignment into a drawing port.
// Panes that show text embed one; controls make one on the stack to measure a reference text.
// Line metrics and widths are cached until the font or colour resolve to something else or a
// setter changes a value.
class CTextDrawer {
public:
    enum : int32_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };
    // 0 one line hanging below the top, 1 lines clipped to the rectangle, 2 lines word-wrapped
    // in the rectangle, 3 one line with its baseline on the top.
    enum : int32_t { kModeLine = 0, kModeClipped = 1, kModeWrapped = 2, kModeBaseline = 3 };

    CTextDrawer() = default;
    virtual ~CTextDrawer() = default;
    CTextDrawer(const CTextDrawer&) = delete;
    CTextDrawer& operator=(const CTextDrawer&) = delete;

    // Setters answer whether the value changed; an unchanged value keeps the caches.
    bool SetText(const LStringRef& text);
    bool SetFont(const LFont& font);
    bool SetColor(const LBrushRef& brush);
    bool SetAlignment(int32_t alignment);
    bool SetMode(int32_t mode);
    void SetRect(const CLRect& rect) { fRect = rect; }

    const LStringRef& Text() const { return fText; }
    const LFont& Font() const { return fFont; }
    const CLRect& Rect() const { return fRect; }
    int32_t Alignment() const { return fAlignment; }
    int32_t Mode() const { return fMode; }

    // Measures, in whole pixels.
    int32_t GetAscent(LPortState& port);
    int32_t GetTextWidth(LPortState& port);
    int32_t GetWidth(LPortState& port);
    // The height the text needs when wrapped at `width`; 0 for an empty text.
    int32_t MeasureHeight(LPortState& port, int32_t width);
    int32_t GetHeight(LPortState& port);
    int32_t GetLineHeight(LPortState& port);
    int32_t GetLineBottom(LPortState& port);
    int32_t GetAscentGap(LPortState& port);
    // One line height per line of the text (line ends + 1).
    int32_t GetLinesHeight(LPortState& port);

    void Draw(LPortState& port);

    // Line ends of a text: LF, CR, and CR LF counted once; the text ends at its first NUL.
    static uint32_t CountLineEnds(std::string_view text);

private:
    void UpdateAttributes(LPortState& port);
    int32_t CachedWidth(LPortState& port, int32_t& slot);
    void DrawLines(plat::Canvas& canvas, double firstBaseline) const;

    static constexpr int32_t kNotMeasured = INT32_MIN;

    LStringRef fText;
    LBrushRef fColor;
    CLRect fRect;
    LFont fFont;
    int32_t fAlignment = kAlignLeft;
    int32_t fMode = kModeLine;
    bool fValid = false;
    int32_t fTextWidth = kNotMeasured;
    int32_t fWidth = kNotMeasured;
    double fLineHeight = 0.0;
    double fLineBottom = 0.0;
    double fAscentGap = 0.0;
    // What the cached metrics were built from.
    const plat::Font* fResolvedFont = nullptr;
    plat::Color fResolvedColor;
};
