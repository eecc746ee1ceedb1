#include "controls/headers/CRespText.h"

#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneFlags.h"

const char* CRespText::msgClick = "CRespText_Click";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr int32_t kHighlightColourId = 3;

} // namespace

CRespText::CRespText(LPane* parent, bool opaque)
    : LCaptionPane(parent, parent, CTextDrawer::kModeClipped), fOpaque(opaque)
{
    // Unlike other captions, header items take clicks.
    SetState(kEventNotTransparent);
    CColor::AssignById(fHighlightColor, kHighlightColourId);
}

void CRespText::SetHighlight(bool on)
{
    if (on == fHighlighted)
        return;
    fHighlighted = on;
    (void)SetColor(on ? LBrush::Make(1) : LBrushRef());
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
    LCaptionPane::HandleMessage(result, msg);
}

void CRespText::DrawSelf(LPortState& port) const
{
    if (fHighlighted)
        LFillRegionOp(LRegion(Rect()), fHighlightColor).Draw(port);
    else if (fOpaque)
        LFillRegionOp(LRegion(Rect()), port.Color()).Draw(port);
    LCaptionPane::DrawSelf(port);
}
