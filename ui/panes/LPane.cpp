#include "ui/panes/LPane.h"
#include "foundation/core/StrEqual.h"
#include "controls/CColor.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/panes/CUIDict.h"
#include "ui/panes/LPaneContext.h"

const char* LPane::msgConstructing = "LPane_Constructing";
const char* LPane::msgDestructing = "LPane_Destructing";
const char* LPane::msgReqFocus = "LPane_ReqFocus";
const char* LPane::msgReqCapture = "LPane_ReqCapture";
const char* LPane::msgPref = "LPane_Pref";
const char* LPane::msgUpdateNow = "LPane_UpdateNow";
const char* LPane::msgDefer = "LPane_Defer";
const char* LPane::msgDeferred = "LPane_Deferred";
const char* LPane::msgFocus = "LPane_Focus";
const char* LPane::msgUnfocus = "LPane_Unfocus";

namespace {

// The shared colour of the keyboard focus indicator.
constexpr int32_t kFocusColourId = 5;

// The flag that each of the paired events 0..17 and 21/22 sets (even) or clears (odd).
LPaneFlags FlagOfEvent(int32_t event)
{
    switch (event) {
    case kEventShow: case kEventHide: return kPaneShown;
    case kEventEnable: case kEventDisable: return kPaneEnabled;
    case kEventHostShow: case kEventHostHide: return kPaneHostShown;
    case kEventActivate: case kEventDeactivate: return kPaneHostActive;
    case kEventFocus: case kEventUnfocus: return kPaneFocused;
    case kEventTransparent: case kEventNotTransparent: return kPaneTransparent;
    case kEventInTransparent: case kEventNotInTransparent: return kPaneInTransparent;
    case kEventKeyWindow: case kEventNotKeyWindow: return kPaneKeyWindow;
    case kEventFocusOnClick: case kEventNoFocusOnClick: return kPaneFocusOnClick;
    default: return 0;
    }
}

bool EventSetsFlag(int32_t event)
{
    return event == kEventFocusOnClick || (event != kEventNoFocusOnClick && event % 2 == 0);
}

} // namespace

LPane::LPane(LHandler* parent, LPane* host) : LHandler(parent), fHost(host)
{
    Announce(msgConstructing, fHost);
}

LPane::LPane(LHandler* parent, LPane* host, HostAnnounce announce) : LHandler(parent), fHost(host)
{
    if (announce == HostAnnounce::Yes)
        Announce(msgConstructing, fHost);
}

LPane::~LPane()
{
    SetState(kEventHide);
    Announce(msgDestructing, fHost);
    if (fDictionary)
        fDictionary->Clear();
    fDictionary.reset();
}

void LPane::SetDictionary(std::unique_ptr<CUIDict> dictionary)
{
    fDictionary = std::move(dictionary);
}

void LPane::Announce(const char* type, LHandler* recipient)
{
    LMessage::Send(LMessage(type, this, recipient));
}

void LPane::SetState(int32_t event)
{
    if (!ApplyFlagEvent(event))
        return;
    StateChanged(event);
    UpdateFocusShown();
}

// Changes the flags for one event; false when the flag already had its target value.
bool LPane::ApplyFlagEvent(int32_t event)
{
    if (event == kEventNoFocus) {
        if (!(fFlags & kPaneTakesFocus))
            return false;
        fFlags &= ~kPaneTakesFocus;
        return true;
    }
    if (event == kEventTakeFocus)
        return ApplyFocusStop(kPaneTakesFocus);
    if (event == kEventTakeFocusOuter)
        return ApplyFocusStop(kPaneTakesFocus | kPaneOuterRing);
    const LPaneFlags flag = FlagOfEvent(event);
    if (!flag)
        return true;   // 8, 9, 23 and above change no flag
    const bool set = EventSetsFlag(event);
    if (((fFlags & flag) != 0) == set)
        return false;
    if (event == kEventHide)
        SetState(kEventUnfocus);
    fFlags = set ? (fFlags | flag) : (fFlags & ~flag);
    return true;
}

// Makes the pane a Tab stop with the ring placement of `stop`. A stop with the other ring
// placement is first taken away (reported as event 18), then set anew.
bool LPane::ApplyFocusStop(LPaneFlags stop)
{
    const LPaneFlags focusBits = fFlags & (kPaneTakesFocus | kPaneOuterRing);
    if (focusBits == stop)
        return false;
    if (fFlags & kPaneTakesFocus) {
        fFlags &= ~kPaneTakesFocus;
        StateChanged(kEventNoFocus);
    }
    if (!(fFlags & kPaneTakesFocus))
        fFlags = (fFlags & ~(kPaneTakesFocus | kPaneOuterRing)) | stop;
    return true;
}

void LPane::SetRect(const CLRect& rect)
{
    if (rect == fRect)
        return;
    const CLRect old = fRect;
    fRect = rect;
    RectChanged(old);
}

void LPane::UpdateNow()
{
    Announce(msgUpdateNow, Parent());
}

void LPane::FocusOnClick()
{
    if (fFlags & kPaneFocusOnClick)
        Announce(msgReqFocus, Parent());
}

void LPane::UpdateFocusShown()
{
    const bool shows = HasFlags(kPaneShowsFocusWhen) && FocusTarget() == this;
    if (shows == ((fFlags & kPaneFocusShown) != 0))
        return;
    fFlags ^= kPaneFocusShown;
    const LRegion ring = RingRegion(fRect, (fFlags & kPaneOuterRing) != 0);
    InvalidateInHost(ring, ring);
}

LRegion LPane::RingRegion(const CLRect& rect, bool outer, int32_t width)
{
    CLRect inner = rect;
    CLRect outerRect = rect;
    if (outer)
        outerRect.Inset(-width, -width);
    else
        inner.Inset(width, width);
    LRegion ring(outerRect);
    ring.Subtract(LRegion(inner));
    return ring;
}

plat::Window* LPane::GetNativeWindow() const
{
    return LPaneContext::FromPane(*this).window;
}

CLPoint LPane::OriginIn(const LPane* ancestor) const
{
    const LPaneContext own = LPaneContext::FromPane(*this);
    CLPoint origin{own.originX + fRect.left, own.originY + fRect.top};
    if (ancestor) {
        const LPaneContext other = LPaneContext::FromPane(*ancestor);
        origin.x -= other.originX;
        origin.y -= other.originY;
    }
    return origin;
}

void LPane::DrawFocusRing(LPortState& port) const
{
    if (!(fFlags & kPaneFocusShown))
        return;
    CColorRef focusColour;
    CColor::AssignById(focusColour, kFocusColourId);
    LFillRegionOp(RingRegion(fRect, (fFlags & kPaneOuterRing) != 0), focusColour).Draw(port);
}

void LPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, msgReqFocus) || StrEqual(msg.type, msgDestructing))
        UpdateFocusShown();
    LHandler::HandleMessage(result, msg);
}

void LPane::GetContext(LPaneContext& context) const
{
    if (fHost)
        fHost->GetContext(context);
}

void LPane::Invalidate(const LRegion& update, const LRegion& erase)
{
    if (HasFlags(kPaneShown | kPaneHostShown))
        InvalidateInHost(update, erase);
}

void LPane::InvalidateInHost(const LRegion& update, const LRegion& erase) const
{
    if (fHost)
        fHost->Invalidate(update, erase);
}

void LPane::StateChanged(int32_t event)
{
    switch (event) {
    case kEventFocus:
        Announce(msgFocus, Parent());
        break;
    case kEventUnfocus:
        Announce(msgUnfocus, Parent());
        break;
    case kEventShow:
    case kEventHide:
        if (fFlags & kPaneHostShown) {
            const LRegion area(fRect);
            InvalidateInHost(area, area);
        }
        break;
    default:
        break;
    }
}

void LPane::RectChanged(const CLRect& old)
{
    if (!fHost || !HasFlags(kPaneShown | kPaneHostShown))
        return;
    LRegion update(old);
    update.Union(LRegion(fRect));
    LRegion erase = update;
    if (fFlags & kPaneOpaque) {
        erase.SetRect(old);
        erase.Subtract(LRegion(fRect));
    }
    if (fFlags & kPaneFocusShown) {
        const bool outer = (fFlags & kPaneOuterRing) != 0;
        LRegion rings = RingRegion(old, outer);
        rings.Union(RingRegion(fRect, outer));
        update.Union(rings);
        erase.Union(rings);
    }
    fHost->Invalidate(update, erase);
}

bool LPane::Overlaps(const LRegion& region) const
{
    return IsShown() && region.Intersects(fRect);
}

LPane* LPane::FocusTarget()
{
    return IsFullyActive() ? this : nullptr;
}

LPane* LPane::HitTest(const CLPoint& point)
{
    const LPaneFlags mask = kPaneShown | kPaneEnabled | kPaneTransparent;
    return (fFlags & mask) == kPaneEnabledAndShown && fRect.Contains(point) ? this : nullptr;
}

int32_t LPane::PrefWidth(LPaneContext*, int32_t hint)
{
    return hint >= 0 ? 16 : 0;
}

int32_t LPane::PrefHeight(LPaneContext*, int32_t hint)
{
    return hint >= 0 ? 16 : 0;
}

void LPane::DrawSelf(LPortState&) const {}

bool LPane::FocusNearest(const CLPoint&)
{
    return false;
}

bool LPane::AdvanceFocus(LFocusDir, LFocusRestart)
{
    if (fFlags & kPaneTakesFocus)
        Announce(msgReqFocus, Parent());
    return false;
}
