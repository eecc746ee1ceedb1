#include "ui/panes/LCaptionPane.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LDrawPort.h"

namespace {

// Preferred-size hints of the layout engines.
constexpr int32_t kHintReferenceWidth = -13;   // the width of "M"
constexpr int32_t kHintNothing = -11;
constexpr int32_t kHintAscent = -12;
constexpr int32_t kHintAscentToo = -10;
constexpr int32_t kHintOneLine = -1;

} // namespace

LCaptionPane::LCaptionPane(LHandler* parent, LPane* host, int32_t mode) : LPane(parent, host)
{
    fDrawer.SetMode(mode);
    SetState(kEventTransparent);
}

bool LCaptionPane::SetText(const LStringRef& text)
{
    if (!fDrawer.SetText(text))
        return false;
    Refresh();
    return true;
}

bool LCaptionPane::SetFont(const LFont& font)
{
    if (!fDrawer.SetFont(font))
        return false;
    Refresh();
    return true;
}

bool LCaptionPane::SetAlignment(int32_t alignment)
{
    if (!fDrawer.SetAlignment(alignment))
        return false;
    Refresh();
    return true;
}

bool LCaptionPane::SetColor(const LBrushRef& brush)
{
    if (brush == fColor)
        return false;
    fColor = brush;
    Refresh();
    return true;
}

void LCaptionPane::Refresh()
{
    if (HasFlags(kPaneShown | kPaneHostShown)) {
        const LRegion area(Rect());
        Invalidate(area, area);
    }
}

void LCaptionPane::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    if (event == kEventPrefsChanged) {
        // The fonts may resolve differently now: make the drawer measure again.
        const LFont own = fDrawer.Font();
        fDrawer.SetFont(LFont(0));
        fDrawer.SetFont(LFont(1));
        fDrawer.SetFont(own);
    }
}

void LCaptionPane::RectChanged(const CLRect& old)
{
    LPane::RectChanged(old);
    fDrawer.SetRect(Rect());
}

int32_t LCaptionPane::PrefWidth(LPaneContext* context, int32_t hint)
{
    const LPaneContext own = context ? LPaneContext() : LPaneContext::FromPane(*this);
    LDrawPort port(context ? *context : own);
    return MeasureWidth(port, hint);
}

int32_t LCaptionPane::PrefHeight(LPaneContext* context, int32_t hint)
{
    const LPaneContext own = context ? LPaneContext() : LPaneContext::FromPane(*this);
    LDrawPort port(context ? *context : own);
    return MeasureHeight(port, hint);
}

int32_t LCaptionPane::MeasureWidth(LPortState& port, int32_t hint)
{
    if (hint == kHintNothing)
        return 0;
    if (hint != kHintReferenceWidth)
        return fDrawer.GetTextWidth(port);
    const LStringRef text = fDrawer.Text();
    fDrawer.SetText(LStringRef("M"));
    const int32_t width = fDrawer.GetTextWidth(port);
    fDrawer.SetText(text);
    return width;
}

int32_t LCaptionPane::MeasureHeight(LPortState& port, int32_t hint)
{
    switch (hint) {
    case kHintAscent:
    case kHintAscentToo:
        return fDrawer.GetAscent(port);
    case kHintNothing:
        return 0;
    case kHintOneLine:
        return fDrawer.GetLineHeight(port);
    default:
        break;
    }
    const int32_t mode = fDrawer.Mode();
    if (hint >= 1 && mode == CTextDrawer::kModeWrapped)
        return fDrawer.MeasureHeight(port, hint);
    if (mode == CTextDrawer::kModeClipped || mode == CTextDrawer::kModeWrapped)
        return fDrawer.GetLinesHeight(port);
    return fDrawer.GetLineHeight(port);
}

void LCaptionPane::DrawSelf(LPortState& port) const
{
    LClipScope clip(port.PushClip(LRegion(Rect())));
    fDrawer.SetColor(fColor);
    fDrawer.Draw(port);
}
