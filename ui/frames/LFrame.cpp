#include "ui/frames/LFrame.h"
#include "ui/windows/LWindowDef.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/layout/LLayoutScript.h"
#include "ui/panes/LPaneContext.h"

const char* LFrame::msgConstructing = "LFrame_Constructing";
const char* LFrame::msgDestructing = "LFrame_Destructing";
const char* LFrame::msgClose = "LFrame_Close";
const char* LFrame::msgActivate = "LFrame_Activate";
const char* LFrame::msgDeactivate = "LFrame_Deactivate";
const char* LFrame::msgPlace = "LFrame_Place";
const char* LFrame::msgMouseLeave = "LMouse_Leave";

namespace {

// The pane under the mouse: the last target of a cursor message.
LPane* gMousePane = nullptr;

LPane* AsPane(SSLink* link)
{
    return static_cast<LPane*>(link);
}

} // namespace

LFrame::LFrame(LHandler* parent, LPane* host) : LPane(parent, host) {}

LFrame::LFrame(LHandler* parent, LPane* host, const LWindowDef& def)
    : LPane(parent, host, def.kind ? HostAnnounce::No : HostAnnounce::Yes)
{
    if (!def.kind)
        return;
    CreateWindow(def);
    Announce(LFrame::msgConstructing, Parent());
}

LFrame::~LFrame()
{
    if (gMousePane == this)
        gMousePane = nullptr;
    if (OwnsWindow())
        Announce(msgDestructing, Parent());
    fLayoutScript.reset();
    RemoveMenus();
    fMenus.DeleteAll();
    while (fChildWindows.PopFront()) {}
    while (fChildren.PopFront()) {}
    DeleteWindow();
    fFocus = nullptr;
}

LPane* LFrame::MousePane()
{
    return gMousePane;
}

void LFrame::SetMousePane(LPane* pane)
{
    gMousePane = pane;
}

void LFrame::ClearMousePane()
{
    LPane* pane = gMousePane;
    gMousePane = nullptr;
    if (pane)
        LMessage::Send(LMessage(msgMouseLeave, LMouse::Current(), pane));
}

void LFrame::SetBackground(const CColorRef& colour)
{
    if (colour == fBackground)
        return;
    fBackground = colour;
    fNoErase.Clear();
    SetFlagBits(kPaneOpaque, static_cast<bool>(fBackground));
    BroadcastState(kEventBackground);
}

void LFrame::BroadcastState(int32_t event)
{
    // A state event may make a child remove itself: step before applying.
    for (SSLink* link = fChildren.Head(); link && !link->IsEnd();) {
        SSLink* next = link->Next();
        AsPane(link)->SetState(event);
        link = next;
    }
}

LPane* LFrame::PaneAt(uint32_t number) const
{
    if (number == 0)
        return nullptr;
    SSLink* link = fChildren.Nth(number - 1);
    return link ? AsPane(link) : nullptr;
}

void LFrame::SetFocus(LPane* pane)
{
    LPane* old = fFocus;
    fFocus = pane;
    if (old && old != pane)
        old->SetState(kEventUnfocus);
    if (pane && ShowsFocusRoot())
        pane->SetState(kEventFocus);
}

// A frame that holds the focus itself, or a window's own frame (the root of its focus), gives
// its focus pane the focus event.
bool LFrame::ShowsFocusRoot() const
{
    return (Flags() & kPaneFocused) || OwnsWindow();
}

void LFrame::GetContext(LPaneContext& context) const
{
    if (OwnsWindow()) {
        FillWindowContext(context);
        return;
    }
    if (Host())
        Host()->GetContext(context);
    CLRect inWindow = Rect();
    inWindow.Offset(context.originX, context.originY);
    context.clip.Intersect(LRegion(inWindow));
    context.originX += Rect().left;
    context.originY += Rect().top;
    if (fBackground) {
        context.background = fBackground;
        context.backgroundX = context.originX;
        context.backgroundY = context.originY;
    }
}

void LFrame::Invalidate(const LRegion& givenUpdate, const LRegion& givenErase)
{
    if (!HasFlags(kPaneShown | kPaneHostShown))
        return;
    LRegion update = givenUpdate;
    LRegion erase = givenErase;
    if (fBackground) {
        // The background repaints what is updated; only what was asked to be erased is
        // filled again, the rest keeps its pixels.
        update.Union(givenErase);
        erase.Clear();
        fNoErase.Union(givenUpdate);
        fNoErase.Subtract(givenErase);
    }
    const LRegion bounds(Rect());
    update.Offset(Rect().left, Rect().top);
    erase.Offset(Rect().left, Rect().top);
    update.Intersect(bounds);
    erase.Intersect(bounds);
    if (update.IsEmpty() && erase.IsEmpty())
        return;
    if (OwnsWindow()) {
        update.Union(erase);
        InvalidateWindow(update);
    } else if (Host()) {
        Host()->Invalidate(update, erase);
    }
}

void LFrame::RectChanged(const CLRect& old)
{
    if ((Host() || OwnsWindow()) && HasFlags(kPaneShown | kPaneHostShown)) {
        // With the top-left kept only the difference changes; a move redraws both places.
        LRegion area(old);
        if (old.left == Rect().left && old.top == Rect().top)
            area.Xor(LRegion(Rect()));
        else
            area.Union(LRegion(Rect()));
        LRegion erase = area;
        if (fBackground)
            erase.Subtract(LRegion(Rect()));
        if (OwnsWindow())
            Invalidate(area, erase);
        else
            Host()->Invalidate(area, erase);
    }
    BroadcastState(kEventMoved);
    LayoutRun run;
    run.place = true;
    RunLayout(run);
}

LPane* LFrame::FocusTarget()
{
    if (!LPane::FocusTarget())
        return nullptr;
    LPane* target = fFocus ? fFocus->FocusTarget() : nullptr;
    return target ? target : this;
}

LPane* LFrame::HitTest(const CLPoint& point)
{
    if (!LPane::HitTest(point))
        return nullptr;
    const CLPoint local{point.x - Rect().left, point.y - Rect().top};
    LPane* hit = nullptr;
    for (SSLink* link : fChildren) {
        if (LPane* found = AsPane(link)->HitTest(local))
            hit = found;
    }
    return hit ? hit : this;
}

void LFrame::DrawChildren(LPortState& port, const LRegion& clip) const
{
    for (SSLink* link : fChildren) {
        const LPane* child = AsPane(link);
        if (child->Overlaps(clip)) {
            child->DrawSelf(port);
            child->DrawFocusRing(port);
        }
    }
}

void LFrame::DrawSelf(LPortState& port) const
{
    LClipScope clip(port.PushClip(LRegion(Rect())));
    LOriginScope origin(port.OffsetOrigin(Rect().left, Rect().top));
    if (fBackground) {
        // What was only updated keeps its pixels; the rest of the clip gets the background.
        LRegion area = port.Clip();
        area.Subtract(fNoErase);
        LFillRegionOp(area, fBackground).Draw(port);
        fNoErase.Clear();
    }
    // A copy: a child that moves the origin while it draws leaves the port's own clip offset
    // until it is next read, and the later children would be tested against that.
    const LRegion visible = port.Clip();
    DrawChildren(port, visible);
}

void LFrame::PrepareLayout(LPaneContext&, LFormulaLayout&) {}
void LFrame::FinishLayout(LPaneContext&, LFormulaLayout&) {}
void LFrame::PrepareScriptLayout(LPaneContext&, LLayoutScript&) {}
void LFrame::FinishScriptLayout(LPaneContext&, LLayoutScript&) {}

