#include "controls/widgets/CTextSlot.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/Pasteboard.h"
#include "shell/draw/LFont.h"
#include "ui/clipboard/LTextScrap.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/draw/LThemeFrame.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

const char* CTextSlot::msgClick = "CTextSlot_Click";
const char* CTextSlot::msgChanged = "CTextSlot_Changed";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kCut = "LStdCmd_Cut";
constexpr const char* kCopy = "LStdCmd_Copy";
constexpr const char* kPaste = "LStdCmd_Paste";
constexpr const char* kDelete = "LStdCmd_Delete";
constexpr uint8_t kBackspace = 8;
constexpr int32_t kDefaultBackgroundId = 6;
constexpr int32_t kHighlightId = 3;
constexpr uint32_t kSlotFont = 1;

const LThemeFrame kTextFieldFrame;

void Fill(LPortState& port, const CLRect& rect, uint32_t greyLevel)
{
    LFillRegionOp(LRegion(rect), CColorRef(CColor::Grey(greyLevel))).Draw(port);
}

} // namespace

CTextSlot::CTextSlot(LHandler* parent, LPane* host, uint8_t slotFlags)
    : LCaptionPane(parent, host, 0), fSlotFlags(slotFlags)
{
    SetState(kEventNotTransparent);
    (void)SetFont(LFont(kSlotFont));
    SetBackground(CColorRef(CColor::FromId(kDefaultBackgroundId)));
}

CTextSlot::~CTextSlot()
{
    if (!IsPlain())
        InvalidateRing(true);
}

void CTextSlot::SetBackground(const CColorRef& colour)
{
    if (colour.Get() == fBackground.Get())
        return;
    fBackground = colour;
    SetFlagBits(kPaneOpaque, bool(colour));
    Refresh();
}

// ---- messages

void CTextSlot::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (HandleMenus(result, msg))
        return;
    if (msg.subject && msg.subject == LMouse::Current() && StrEqual(msg.type, kMouseClick)) {
        FocusOnClick();
        LMessage::Make(result, msgClick, this, Parent());
        return;
    }
    const LKeyboard* keyboard = LKeyboard::Current();
    if (keyboard && msg.subject == keyboard && StrEqual(msg.type, LKeyboard::msgChar) &&
        keyboard->character == kBackspace && IsClearable()) {
        Clear();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgClick) && IsClearable()) {
        LMessage::Make(result, msgReqFocus, this, Parent());
        return;
    }
    LCaptionPane::HandleMessage(result, msg);
}

bool CTextSlot::HandleMenus(LMessage& result, const LMessage& msg)
{
    if (!IsFullyActive())
        return false;
    if (StrEqual(msg.type, LMenuBar::msgReady)) {
        if (auto* bar = dynamic_cast<LMenuBar*>(msg.subject)) {
            if (IsEditable() && LTextScrap(LStringRef()).IsAvailable())
                bar->EnableCommand(kPaste);
            if (!Text().IsEmpty()) {
                bar->EnableCommand(kCopy);
                if (IsEditable())
                    bar->EnableCommand(kCut);
                if (IsClearable())
                    bar->EnableCommand(kDelete);
            }
        }
        return false;
    }
    auto* item = StrEqual(msg.type, LMenuItem::msgSelected) ? dynamic_cast<LMenuItem*>(msg.subject) : nullptr;
    if (!item)
        return false;
    if (item->HasCommand(kCut) && IsEditable()) {
        Copy();
        Clear();
    } else if (item->HasCommand(kCopy)) {
        Copy();
    } else if (item->HasCommand(kPaste) && IsEditable()) {
        Paste();
    } else if (item->HasCommand(kDelete) && IsClearable()) {
        Clear();
    } else {
        return false;
    }
    LMessage::Clear(result);
    return true;
}

void CTextSlot::Copy() const
{
    plat::Pasteboard::General().Clear();
    LTextScrap(Text()).Put();
}

void CTextSlot::Paste()
{
    LTextScrap scrap(LStringRef{});
    if (scrap.Load() && !scrap.Text().IsEmpty())
        (void)SetText(scrap.Text());
    LMessage::Send(LMessage(msgChanged, this, Parent()));
}

void CTextSlot::Clear()
{
    (void)SetText(LStringRef());
    LMessage::Send(LMessage(msgChanged, this, Parent()));
}

// ---- state and drawing

void CTextSlot::InvalidateRing(bool throughHost)
{
    if (IsPlain())
        return;
    const LRegion ring = kTextFieldFrame.FrameRegion(Rect());
    if (throughHost && Host())
        Host()->Invalidate(ring, ring);
    else
        Invalidate(ring, ring);
}

void CTextSlot::Redraw()
{
    Invalidate(LRegion(Rect()), LRegion());
    InvalidateRing(false);
}

void CTextSlot::StateChanged(int32_t event)
{
    switch (event) {
    case kEventShow:
    case kEventHide:
        if (HasFlags(kPaneHostShown) && Host()) {
            const LRegion area(Rect());
            Host()->Invalidate(area, area);
            InvalidateRing(true);
        }
        break;
    case kEventEnable:
    case kEventDisable:
        if (HasFlags(kPaneFocused | kPaneHostActive))
            Redraw();
        break;
    case kEventActivate:
    case kEventDeactivate:
        if (HasFlags(kPaneFocused | kPaneEnabled))
            Redraw();
        break;
    case kEventFocus:
        (void)SetColor(LBrush::Make(1));
        Redraw();
        break;
    case kEventUnfocus:
        (void)SetColor(LBrush::Make(0));
        Redraw();
        break;
    default:
        break;
    }
    LCaptionPane::StateChanged(event);
}

bool CTextSlot::Overlaps(const LRegion& region) const
{
    if (IsPlain())
        return LPane::Overlaps(region);
    return IsShown() && kTextFieldFrame.Touches(region, Rect());
}

void CTextSlot::DrawSelf(LPortState& port) const
{
    const CLRect& r = Rect();
    if (!IsPlain()) {
        // A sunken bevel just outside the rectangle.
        Fill(port, {r.left - 1, r.top - 1, r.right + 1, r.top}, 2);
        Fill(port, {r.left - 1, r.top - 1, r.left, r.bottom + 1}, 2);
        Fill(port, {r.left - 1, r.bottom, r.right + 1, r.bottom + 1}, 4);
        Fill(port, {r.right, r.top - 1, r.right + 1, r.bottom + 1}, 4);
    }
    const CColorRef background = HasFlags(kPaneFocused) ? CColorRef(CColor::FromId(kHighlightId)) : fBackground;
    if (background)
        LFillRegionOp(LRegion(r), background).Draw(port);
    LCaptionPane::DrawSelf(port);
}
