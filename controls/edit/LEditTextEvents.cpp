// The edit text's messages, state events, geometry and drawing.
#include "controls/edit/CMacEditText.h"
#include "controls/edit/LEditText.h"
#include "controls/std/LScrollBar.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/draw/LThemeFrame.h"

#include <algorithm>
#include <string>

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr const char* kMouseWheel = "LMouse_Wheel";
// Set while "LEditText_Down" travels; the field clears it when its own message comes back.
uint8_t gKeyClaim = 0;
const LThemeFrame kThemeFrame;

bool FocusedInKeyWindow(LPaneFlags flags)
{
    return (flags & (kPaneFocused | kPaneKeyWindow)) == (kPaneFocused | kPaneKeyWindow);
}

// Modifier bits of Shift, Control, Option and Command.
constexpr uint32_t kAnyModifier = 0x20000 | 0x40000 | 0x80000 | 0x100000;

} // namespace

bool LEditText::RouteKey(LMessage& result, const LMessage& msg)
{
    auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
    if (!keyboard)
        return false;
    const int32_t nav = keyboard->GetNavKey();
    const bool modifier = (keyboard->modifiers & kAnyModifier) != 0;
    const bool multi = fMode == kMultiLine || fMode == kWrapped;
    const bool allSelected = !fEditor || fEditor->IsAllSelected();
    bool toText = false;
    if (nav == 1 || nav == 2)
        toText = modifier || !allSelected;
    else if (nav == 3 || nav == 4)
        toText = modifier || (multi && !allSelected);
    else if (keyboard->character == 3 || keyboard->character == 13)
        toText = multi;
    else if (keyboard->character == 8 || keyboard->character == 127)
        toText = true;
    else if (keyboard->character == 9)
        toText = fMode == kMultiLine;
    if (toText) {
        keyboard->charFlag = 0;
        LMessage::Clear(result);
        return true;
    }
    gKeyClaim = 1;
    LMessage::Send(LMessage(msgDown, this, Parent()));
    if (gKeyClaim == 1) {
        keyboard->charFlag = 1;
        LMessage::Clear(result);
        return true;
    }
    return false;   // nobody claimed it: the key goes on to the parent
}

void LEditText::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fEditor && msg.subject == fEditor.get()) {
        if (StrEqual(msg.type, CMacEditText::msgChange)) {
            Changed();
            UpdateScrollBars();
        } else if (StrEqual(msg.type, CMacEditText::msgScroll)) {
            UpdateScrollBars();
        }
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgDown)) {
        gKeyClaim = 0;
        LMessage::Clear(result);
        return;
    }
    if (fEditor && fEditor->HandleCommand(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (fEditor && StrEqual(msg.type, LKeyboard::msgDown) && RouteKey(result, msg))
        return;
    const bool transparent = Flags() & (kPaneTransparent | kPaneInTransparent);
    if (!transparent && StrEqual(msg.type, kMouseCursor) && TextRect().Contains(MouseInPane(*this))) {
        LMouse::SetCursor(2);
        LMessage::Clear(result);
        return;
    }
    if (!transparent && StrEqual(msg.type, kMouseClick) && TextRect().Contains(MouseInPane(*this))) {
        LMessage::Clear(result);
        if (!IsTextAreaVisible())
            return;
        LMessage::Send(LMessage(msgReqFocus, this, Parent()));
        if (fEditor) {
            fEditor->ForwardClick(MouseInPane(*this));
            InvalidateRegion(*this, LRegion(TextRect()), true);
        }
        return;
    }
    LPane* bar = dynamic_cast<LPane*>(msg.subject);
    // The bars are the only panes hosted by the field; they take over its state when made.
    if (StrEqual(msg.type, msgConstructing) && bar && bar != this && bar->Host() == this) {
        if (HasFlags(kPaneEnabled | kPaneHostActive))
            bar->SetState(kEventActivate);
        if (HasFlags(kPaneShown | kPaneHostShown))
            bar->SetState(kEventHostShow);
        if (HasFlags(kPaneKeyWindow))
            bar->SetState(kEventKeyWindow);
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LScrollBar::msgChange)) {
        if (fEditor)
            fEditor->SetScroll(fHBar ? fHBar->GetValue() : 0, fVBar ? fVBar->GetValue() : 0);
        else
            InvalidateRegion(*this, LRegion(TextRect()), false);
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, kMouseWheel) && LMouse::Current()) {
        const LMouse& mouse = *LMouse::Current();
        const bool horizontal = std::abs(mouse.GetWheelX()) > std::abs(mouse.GetWheelY());
        LScrollBar* target = horizontal ? fHBar.get() : fVBar.get();
        if (target) {
            const int32_t old = target->GetValue();
            target->SetValue(old - (horizontal ? mouse.GetWheelX() : mouse.GetWheelY()));
            if (target->GetValue() != old) {
                LMessage::Make(result, LScrollBar::msgChange, target, this);
                return;
            }
        }
    }
    LPane::HandleMessage(result, msg);
}

void LEditText::InvalidateFrameBand()
{
    if (fStyle & kBorderless)
        return;
    if (Host()) {
        const LRegion band = kThemeFrame.FrameRegion(InnerRect());
        Host()->Invalidate(band, band);
    }
}

void LEditText::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    const auto toBars = [this](int32_t e) {
        if (fVBar)
            fVBar->SetState(e);
        if (fHBar)
            fHBar->SetState(e);
    };
    switch (event) {
    case kEventShow: case kEventHide:
        InvalidateFrameBand();
        toBars(event);
        break;
    case kEventHostShow: case kEventActivate: case kEventDeactivate:
        toBars(event);
        break;
    case kEventHostHide:
        CloseEditor(event);
        toBars(event);
        break;
    case kEventMoved:
        PlaceEditor();
        if (fEditor && !IsTextAreaVisible())
            SetState(kEventUnfocus);
        toBars(event);
        break;
    case kEventFocus:
        InvalidateFrameBand();
        OpenEditor();
        break;
    case kEventUnfocus:
        InvalidateFrameBand();
        CloseEditor(event);
        break;
    case kEventKeyWindow: case kEventNotKeyWindow:
        if (HasFlags(kPaneFocused)) {
            InvalidateFrameBand();
            toBars(event);
        }
        break;
    case kEventPrefsChanged:
        if (HasFlags(kPaneFocused))
            SetState(kEventUnfocus);
        UpdateScrollBars();
        InvalidateRegion(*this, LRegion(Rect()), false);
        break;
    default:
        break;
    }
    if (fEditor)
        fEditor->SetActive(FocusedInKeyWindow(Flags()));
}

void LEditText::PlaceBars()
{
    const CLRect inner = InnerRect();
    if (fVBar)
        fVBar->SetRect(CLRect{inner.right, inner.top, inner.right + BarWidth(), inner.bottom});
    if (fHBar)
        fHBar->SetRect(CLRect{inner.left, inner.bottom, inner.right, inner.bottom + BarHeight()});
    UpdateScrollBars();
}

void LEditText::RectChanged(const CLRect& old)
{
    if (old == Rect())
        return;
    if (fVBar || fHBar)
        PlaceBars();
    PlaceEditor();
    if (HasFlags(kPaneShown | kPaneHostShown) && Host()) {
        CLRect before = old;
        CLRect after = Rect();
        before.Inset(-1, -1);
        after.Inset(-1, -1);
        LRegion area(before);
        area.Union(LRegion(after));
        Host()->Invalidate(area, area);
    }
}

bool LEditText::Overlaps(const LRegion& region) const
{
    if (fStyle & kBorderless)
        return LPane::Overlaps(region);
    if (!IsShown())
        return false;
    return kThemeFrame.Touches(region, Rect());
}

LPane* LEditText::HitTest(const CLPoint& point)
{
    if (fVBar)
        if (LPane* hit = fVBar->HitTest(point))
            return hit;
    if (fHBar)
        if (LPane* hit = fHBar->HitTest(point))
            return hit;
    return TextRect().Contains(point) ? LPane::HitTest(point) : nullptr;
}

int32_t LEditText::PrefWidth(LPaneContext*, int32_t hint)
{
    LPortState port;
    fDrawer.SetFont(fFont);
    switch (hint) {
    case -13: {
        CTextDrawer reference;
        reference.SetFont(fFont);
        reference.SetText("M");
        return reference.GetTextWidth(port);
    }
    case -11:
    case -1: return 4 - ((fStyle & kNarrowLeft) ? 1 : 0) - ((fStyle & kBorderless) ? 1 : 0);
    case -2: return 2 * LeftInset() + 2 + BarWidth();
    default:
        fDrawer.SetText(GetText());
        return fDrawer.GetTextWidth(port) + 2 * LeftInset() + BarWidth() + 3;
    }
}

int32_t LEditText::PrefHeight(LPaneContext*, int32_t hint)
{
    LPortState port;
    fDrawer.SetFont(fFont);
    switch (hint) {
    case -12:
    case -10:
        return fDrawer.GetLineBottom(port) + 2 - ((fStyle & kNarrowTop) ? 1 : 0) - ((fStyle & kBorderless) ? 1 : 0);
    case -11:
    case -1: return TopInset();
    case -2: return 2 * TopInset() + BarHeight();
    default: return fDrawer.GetLineHeight(port) + 2 * TopInset() + BarHeight();
    }
}

void LEditText::DrawText(LPortState& port, const CLRect& rect) const
{
    fDrawer.SetColor(LBrushRef());
    fDrawer.SetMode(static_cast<int32_t>(fMode == kSingleLine ? CTextDrawer::kModeLine
                                         : fMode == kWrapped  ? CTextDrawer::kModeWrapped
                                                              : CTextDrawer::kModeClipped));
    fDrawer.SetFont(fFont);
    CLRect where = rect;
    where.Offset(0, fDrawer.GetAscentGap(port));
    const LStringRef text = GetText();
    fDrawer.SetText((fStyle & kPassword) ? LStringRef(std::string_view(std::string(text.Length(), '*'))) : text);
    fDrawer.SetRect(where);
    fDrawer.Draw(port);
}

void LEditText::DrawSelf(LPortState& port) const
{
    const CLRect inner = InnerRect();
    if (!(fStyle & kBorderless)) {
        uint32_t state = LFrameDecor::kShown | LFrameDecor::kActive;
        if (FocusedInKeyWindow(Flags()))
            state |= LFrameDecor::kFocused;
        kThemeFrame.Draw(port, inner, state);
    }
    if (!port.Clip().Intersects(inner))
        return;
    if (fEditor) {
        LRegion band(inner);
        band.Subtract(LRegion(TextRect()));
        LFillRegionOp(band, fBackground).Draw(port);
    } else {
        LFillRegionOp(LRegion(inner), fBackground).Draw(port);
        CLRect text = TextRect();
        text.left += 2;
        text.Offset(fHBar ? -fHBar->GetValue() : 0, fVBar ? -fVBar->GetValue() : 0);
        DrawText(port, text);
    }
    if (fVBar)
        fVBar->DrawSelf(port);
    if (fHBar)
        fHBar->DrawSelf(port);
}

bool LEditText::AdvanceFocus(LFocusDir, LFocusRestart)
{
    if (IsTextAreaVisible())
        LMessage::Send(LMessage(msgReqFocus, this, Parent()));
    if (FocusedInKeyWindow(Flags()) && fEditor)
        fEditor->SelectAll();
    return false;
}
