#include "controls/headers/CLayoutPane.h"

#include "foundation/core/StrEqual.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"

namespace {

constexpr uint32_t kSetupText = 0;
constexpr uint32_t kExtentText = 1;

int32_t Width(const CLRect& rect)
{
    return static_cast<int32_t>(rect.Width());
}

int32_t Height(const CLRect& rect)
{
    return static_cast<int32_t>(rect.Height());
}

} // namespace

CLayoutPane::CLayoutPane(LPane* parent, const LStrListRef& texts, bool measure)
    : LFrame(parent, parent), fTexts(texts), fMeasure(measure)
{
    SetLayout(texts, kFormulaLayout);
}

void CLayoutPane::SetFixedSize(int32_t width, int32_t height)
{
    fFixedWidth = width;
    fFixedHeight = height;
}

void CLayoutPane::PrepareLayout(LPaneContext&, LFormulaLayout& layout)
{
    int32_t cw = Width(Rect());
    int32_t ch = Height(Rect());
    if (fFixedWidth >= 1) {
        cw = fFixedWidth;
        ch = fFixedHeight;
    } else if (fMeasure || fDirty) {
        layout.Run(LStrListRef::GetItem(fTexts, kExtentText).Get());
        cw = Width(layout.LayoutRect());
        ch = Height(layout.LayoutRect());
    }
    layout.SetVariable("cw", cw);
    layout.SetVariable("ch", ch);
}

void CLayoutPane::FinishLayout(LPaneContext&, LFormulaLayout&)
{
    fDirty = false;
}

CLPoint CLayoutPane::MeasuredSize(LPaneContext* context)
{
    LPaneContext own = context ? *context : LPaneContext::FromPane(*this);
    LFormulaLayout layout(&own, this);
    layout.Run(LStrListRef::GetItem(fTexts, kSetupText).Get());
    layout.Run(LStrListRef::GetItem(fTexts, kExtentText).Get());
    return {Width(layout.LayoutRect()), Height(layout.LayoutRect())};
}

int32_t CLayoutPane::PrefWidth(LPaneContext* context, int32_t)
{
    if (fFixedWidth > 0)
        return fFixedWidth;
    if (!fMeasure && !fDirty)
        return Width(Rect());
    return MeasuredSize(context).x;
}

int32_t CLayoutPane::PrefHeight(LPaneContext* context, int32_t)
{
    if (fFixedHeight > 0)
        return fFixedHeight;
    if (!fMeasure && !fDirty)
        return Height(Rect());
    return MeasuredSize(context).y;
}

LPane* CLayoutPane::HitTest(const CLPoint& point)
{
    LPane* hit = LFrame::HitTest(point);
    return hit == this ? nullptr : hit;
}

void CLayoutPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, msgConstructing) || StrEqual(msg.type, msgDestructing))
        fDirty = true;
    LFrame::HandleMessage(result, msg);
}

void CLayoutPane::StateChanged(int32_t event)
{
    if (event == kEventPrefsChanged)
        fDirty = true;
    LFrame::StateChanged(event);
}
