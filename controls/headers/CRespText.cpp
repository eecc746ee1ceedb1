#include "controls/headers/CRespText.h"

#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

const char* CRespText::msgClick = "CRespText_Click";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";

} // namespace

CRespText::CRespText(LPane* parent, bool opaque) : LPane(parent, parent), fOpaque(opaque)
{
    SetState(kEventNotTransparent);
    CColor::AssignById(fHighlightColor, 3);
    fDrawer.SetMode(CTextDrawer::kModeClipped);
}

void CRespText::SetText(const LStringRef& text)
{
    if (fDrawer.SetText(text))
        Invalidate(LRegion(Rect()), LRegion(Rect()));
}

bool CRespText::SetFont(const LFont& font)
{
    if (!fDrawer.SetFont(font))
        return false;
    Invalidate(LRegion(Rect()), LRegion(Rect()));
    return true;
}

void CRespText::SetAlignment(int32_t alignment)
{
    if (fDrawer.SetAlignment(alignment))
        Invalidate(LRegion(Rect()), LRegion(Rect()));
}

void CRespText::SetHighlight(bool on)
{
    if (on == fHighlighted)
        return;
    fHighlighted = on;
    fDrawer.SetColor(on ? LBrush::Make(1) : LBrushRef());
    Invalidate(LRegion(Rect()), on ? LRegion() : LRegion(Rect()));
}

void CRespText::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseClick) && msg.subject && msg.subject == LMouse::Current()) {
        LMessage::Make(result, msgClick, this, Parent());
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgClick)) {
        LMessage::Make(result, kMouseClick, LMouse::Current(), Parent());
        return;
    }
    LPane::HandleMessage(result, msg);
}

int32_t CRespText::PrefWidth(LPaneContext*, int32_t)
{
    LPortState port;
    return fDrawer.GetTextWidth(port);
}

int32_t CRespText::PrefHeight(LPaneContext*, int32_t hint)
{
    LPortState port;
    return hint == -10 ? fDrawer.GetAscent(port) : fDrawer.GetLineHeight(port);
}

void CRespText::DrawSelf(LPortState& port) const
{
    if (fHighlighted)
        LFillRegionOp(LRegion(Rect()), fHighlightColor).Draw(port);
    else if (fOpaque)
        LFillRegionOp(LRegion(Rect()), port.Color()).Draw(port);
    fDrawer.SetRect(Rect());
    fDrawer.Draw(port);
}
