#include "ui/drop/LDropPane.h"
#include "controls/CColor.h"
#include "foundation/core/StrEqual.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/LDrop.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/drop/LDropRegistry.h"
#include "ui/windows/LWindow.h"

const char* LDropPane::msgEnter = "LDropPane_Enter";
const char* LDropPane::msgDrag = "LDropPane_Drag";
const char* LDropPane::msgLeave = "LDropPane_Leave";
const char* LDropPane::msgDrop = "LDropPane_Drop";

namespace {

constexpr int32_t kModalLayer = 3;
constexpr uint32_t kHighlightColourId = 4;

} // namespace

LDropPane::LDropPane(LPane* parent, uint8_t ringSize) : LPane(parent, parent), fRingSize(ringSize)
{
    fWindow = GetNativeWindow();
    LDropRegistry::Register(fWindow);
}

LDropPane::~LDropPane()
{
    SetHighlight(false);
    if (LDrop* drop = LDropRegistry::Find(fWindow))
        drop->ForgetPane(this);
    LDropRegistry::Unregister(fWindow);
}

LRegion LDropPane::HighlightRegion() const
{
    return RingRegion(Rect(), false, 4 * int32_t(fRingSize) - 2);
}

void LDropPane::SetDropCursor(uint32_t kind)
{
    if (!fDrag)
        return;
    fAnswer = kind;
    fDrag->SetAccept(int32_t(kind));
}

// Drops never reach a window behind a modal dialog.
bool LDropPane::ModalWindowInFront() const
{
    const LWindow* modal = CDesktop::FindWindowOfLayer(kModalLayer);
    return modal && modal->Native() != GetNativeWindow();
}

bool LDropPane::HandleDrag(LMessage& result, const LMessage& msg)
{
    auto* drag = dynamic_cast<LDrop*>(msg.subject);
    if (StrEqual(msg.type, LDrop::msgSense)) {
        if (drag && !ModalWindowInFront())
            drag->EnterPane(this);
    } else if (StrEqual(msg.type, LDrop::msgEnter)) {
        fAnswer = 0;
        fDrag = drag;
        Announce(msgEnter, Parent());
        SetHighlight(fAnswer != 0);
    } else if (StrEqual(msg.type, LDrop::msgDrag)) {
        if (fDrag) {
            Announce(msgDrag, Parent());
            fDrag->SetAccept(int32_t(fAnswer));
            SetHighlight(fAnswer != 0);
        }
    } else if (StrEqual(msg.type, LDrop::msgLeave)) {
        fAnswer = 0;
        fDrag = nullptr;
        SetHighlight(false);
        LMessage::Make(result, msgLeave, this, Parent());
        return true;
    } else if (StrEqual(msg.type, LDrop::msgDrop)) {
        SetHighlight(false);
        if (fAnswer != 0 && fDrag) {
            fAnswer = 0;
            LMessage::Make(result, msgDrop, this, Parent());
            return true;
        }
    } else {
        return false;
    }
    LMessage::Clear(result);
    return true;
}

void LDropPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (IsEnabledAndShown() && HandleDrag(result, msg))
        return;
    LPane::HandleMessage(result, msg);
}

void LDropPane::SetHighlight(bool on)
{
    if (uint8_t(on) == fHighlight)
        return;
    fHighlight = on;
    const LRegion band = HighlightRegion();
    Invalidate(band, band);
    Announce(msgUpdateNow, Parent());
}

// A drag over a pane that hides or moves finds its target again.
void LDropPane::Resense()
{
    if (fDrag)
        fDrag->LeavePane(this);
}

void LDropPane::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    if (event == kEventHide || event == kEventHostHide || event == kEventMoved)
        Resense();
}

void LDropPane::RectChanged(const CLRect& old)
{
    LPane::RectChanged(old);
    Resense();
}

bool LDropPane::Overlaps(const LRegion& region) const
{
    return fHighlight && LPane::Overlaps(region);
}

void LDropPane::DrawSelf(LPortState& port) const
{
    if (!fHighlight)
        return;
    CColorRef colour;
    CColor::AssignById(colour, kHighlightColourId);
    LFillRegionOp(HighlightRegion(), colour).Draw(port);
}
