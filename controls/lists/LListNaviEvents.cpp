// Messages, state, drawing and size hints of the list navigator.
#include "controls/lists/LListNavi.h"
#include "controls/lists/LListPane.h"
#include "controls/std/LScrollBar.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "shell/windows/NativeWindow.h"
#include "ui/draw/LListBoxFrame.h"
#include "ui/draw/LPortState.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kMouseWheel = "LMouse_Wheel";
constexpr const char* kMouseClick = "LMouse_Click";

const LListBoxFrame kListBoxFrame;

CLRect InsetByOne(CLRect rect)
{
    rect.Inset(1, 1);
    return rect;
}

} // namespace

void LListNavi::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LPane::msgDestructing) && msg.subject)
        ForgetPart(msg.subject);
    if (StrEqual(msg.type, LListPane::msgChange) && HandleListChange(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (msg.subject && msg.subject == fHBar.get() && HandleBar(result, msg, 0))
        return;
    if (msg.subject && msg.subject == fVBar.get() && HandleBar(result, msg, 1))
        return;
    LMouse* mouse = LMouse::Current();
    if (mouse && msg.subject == mouse) {
        if (StrEqual(msg.type, kMouseWheel) && HandleWheel(msg)) {
            LMessage::Clear(result);
            return;
        }
        if (StrEqual(msg.type, kMouseClick) && fFocusable) {
            LMessage::Make(result, msgReqFocus, this, Parent());
            return;
        }
    }
    LFrame::HandleMessage(result, msg);
}

// A part going away is no longer placed or scrolled.
void LListNavi::ForgetPart(const LHandler* part)
{
    for (LListPane** list : {&fList, &fColumnHeader, &fRowHeader}) {
        if (*list && static_cast<const LHandler*>(*list) == part)
            *list = nullptr;
    }
    if (fCorner && static_cast<const LHandler*>(fCorner) == part)
        fCorner = nullptr;
}

bool LListNavi::HandleListChange(const LMessage& msg)
{
    if (!msg.subject)
        return false;
    if (msg.subject == fList) {
        SyncScrollBars();
        const CLPoint origin = fList->Origin();
        if (fColumnHeader && fColumnHeader->Origin().x != origin.x)
            fColumnHeader->ScrollTo({origin.x, fColumnHeader->Origin().y});
        if (fRowHeader && fRowHeader->Origin().y != origin.y)
            fRowHeader->ScrollTo({fRowHeader->Origin().x, origin.y});
        return true;
    }
    for (int axis = 0; axis < 2; ++axis) {
        LListPane* header = axis == 0 ? fColumnHeader : fRowHeader;
        if (msg.subject != header)
            continue;
        if (!fList) {
            SyncScrollBars();
            return true;
        }
        const CLPoint own = header->Origin();
        const CLPoint main = fList->Origin();
        if (axis == 0 && own.x != main.x)
            fList->ScrollTo({own.x, main.y});
        if (axis == 1 && own.y != main.y)
            fList->ScrollTo({main.x, own.y});
        return true;
    }
    return false;
}

bool LListNavi::HandleBar(LMessage& result, const LMessage& msg, int axis)
{
    LListPane* list = ReferenceList(axis);
    LScrollBar* bar = Bar(axis);
    if (!list)
        return false;
    const int32_t at = axis == 0 ? list->Origin().x : list->Origin().y;
    const int32_t step = std::max(axis == 0 ? fColumnStep : fRowStep, 1);
    const int32_t page = std::max((axis == 0 ? list->FullColumns() : list->FullRows()) - step, 1);
    int32_t to = 0;
    if (StrEqual(msg.type, LScrollBar::msgThumb))
        to = bar->GetValue();
    else if (StrEqual(msg.type, LScrollBar::msgUp))
        to = at - step;
    else if (StrEqual(msg.type, LScrollBar::msgDw))
        to = at + step;
    else if (StrEqual(msg.type, LScrollBar::msgPgUp))
        to = at - page;
    else if (StrEqual(msg.type, LScrollBar::msgPgDw))
        to = at + page;
    else
        return false;
    ScrollAxis(axis, to);
    SendNavi();
    LMessage::Make(result, msgReqFocus, this, Parent());
    return true;
}

bool LListNavi::HandleWheel(const LMessage&)
{
    LMouse* mouse = LMouse::Current();
    const int axis = std::abs(mouse->GetWheelY()) >= std::abs(mouse->GetWheelX()) ? 1 : 0;
    LListPane* list = ReferenceList(axis);
    if (!Bar(axis) || !list || (axis == 0 ? list->Columns() : list->Rows()) < 2)
        return false;
    int32_t steps = 0;
    if (axis == 1)
        steps = mouse->TakeWheelStepsY(std::max(list->FullRows() - fRowStep, 1), list->CellHeight() / 2);
    else
        steps = mouse->TakeWheelStepsX(std::max(list->FullColumns() - fColumnStep, 1), list->CellWidth() / 2);
    if (steps == 0)
        return true;
    ScrollAxis(axis, (axis == 1 ? list->Origin().y : list->Origin().x) - steps);
    SendNavi();
    return true;
}

// ---- state and geometry

LRegion LListNavi::FrameBand() const
{
    return kListBoxFrame.FrameRegion(InsetByOne(Rect()));
}

void LListNavi::InvalidateBand()
{
    if (Host() && HasFlags(kPaneShown | kPaneHostShown)) {
        const LRegion band = FrameBand();
        Host()->Invalidate(band, band);
    }
}

void LListNavi::StateChanged(int32_t event)
{
    LFrame::StateChanged(event);
    switch (event) {
    case kEventFocus:
    case kEventUnfocus:
    case kEventKeyWindow:
    case kEventNotKeyWindow:
        if (fFocusable)
            InvalidateBand();
        break;
    case kEventShow:
    case kEventHide:
        if (HasFlags(kPaneHostShown) && Host()) {
            const LRegion band = FrameBand();
            Host()->Invalidate(band, band);
        }
        break;
    case kEventPrefsChanged:
        if (fColumnHeader || fRowHeader) {
            Layout();
            SyncScrollBars();
        }
        break;
    default:
        break;
    }
}

void LListNavi::RectChanged(const CLRect& old)
{
    if (Host() && HasFlags(kPaneShown | kPaneHostShown)) {
        LRegion bands = kListBoxFrame.FrameRegion(InsetByOne(old));
        bands.Union(FrameBand());
        Host()->Invalidate(bands, bands);
    }
    Layout();
    SyncScrollBars();
    LFrame::RectChanged(old);
}

void LListNavi::Invalidate(const LRegion& update, const LRegion& erase)
{
    // Update and erase regions come in frame coordinates; so does the band here.
    LRegion band = kListBoxFrame.FrameRegion(InsetByOne({0, 0, int32_t(Rect().Width()), int32_t(Rect().Height())}));
    band.Intersect(update);
    LRegion wider = erase;
    wider.Union(band);
    LFrame::Invalidate(update, wider);
}

bool LListNavi::Overlaps(const LRegion& region) const
{
    return IsShown() && kListBoxFrame.Touches(region, InsetByOne(Rect()));
}

void LListNavi::DrawSelf(LPortState& port) const
{
    const bool focused = fFocusable && HasFlags(kPaneFocused | kPaneKeyWindow);
    kListBoxFrame.Draw(port, InsetByOne(Rect()), focused ? 0x6u : 0x2u);
    LFrame::DrawSelf(port);
}

// ---- size hints

int32_t LListNavi::PrefWidth(LPaneContext* context, int32_t hint)
{
    return PrefSize(context, hint, 0);
}

int32_t LListNavi::PrefHeight(LPaneContext* context, int32_t hint)
{
    return PrefSize(context, hint, 1);
}

// Along axis 0 (widths) the bar along the axis is the horizontal one, the cross bar the
// vertical one and the header beside the list the row header; axis 1 exchanges them.
int32_t LListNavi::PrefSize(LPaneContext* context, int32_t hint, int axis)
{
    auto size = [&](LPane* pane) {
        if (!pane)
            return 0;
        return axis == 0 ? pane->PrefWidth(context, 0) : pane->PrefHeight(context, 0);
    };
    const int32_t along = size(axis == 0 ? static_cast<LPane*>(fHBar.get()) : fVBar.get());
    const int32_t cross = size(axis == 0 ? static_cast<LPane*>(fVBar.get()) : fHBar.get());
    const bool hasAlong = axis == 0 ? bool(fHBar) : bool(fVBar);
    const bool hasCross = axis == 0 ? bool(fVBar) : bool(fHBar);
    const int32_t side = size(axis == 0 ? fRowHeader : fColumnHeader);
    const int32_t inLine = size(axis == 0 ? fColumnHeader : fRowHeader);
    const int32_t corner = size(fCorner);
    const int32_t main = size(fList);
    switch (hint) {
    case -3:
        return 1;
    case -2:
        return (hasAlong ? along + 2 : 2) + (hasCross ? cross : GetGrowBoxInset(GetNativeWindow()));
    case -1:
    case 3:
        return (hasCross ? cross + 2 : 2) + std::max({0, side, corner});
    case 1:
        return std::max(main, inLine) + cross + std::max({0, side, corner}) + 2;
    case 2:
        return (hasAlong ? along + 2 : 2) + cross + std::max(side, corner);
    default:
        return std::max({0, main, inLine});
    }
}
