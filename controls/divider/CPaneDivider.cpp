#include "controls/divider/CPaneDivider.h"
#include "controls/CColor.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "shell/cursors/CNativeCursor.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

#include <algorithm>

const char* CPaneDivider::msgChange = "CPaneDivider_Change";

namespace {

constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";
constexpr const char* kPaneDefer = "LPane_Defer";

// The resize cursors shared by every divider, made with the first one.
CNativeCursor* ResizeCursor(bool stacked)
{
    static const LRef leftRight(new CNativeCursor(LResRef{0, "resizeLeftRightCursor"}, nullptr));
    static const LRef upDown(new CNativeCursor(LResRef{0, "resizeUpDownCursor"}, nullptr));
    return static_cast<CNativeCursor*>(stacked ? upDown.Get() : leftRight.Get());
}

void Fill(LPortState& port, const CLRect& rect, uint32_t greyLevel)
{
    LFillRegionOp(LRegion(rect), CColorRef(CColor::Grey(greyLevel))).Draw(port);
}

// A bar drawn raised: light top and left edges, dark bottom and right ones, a grey face.
void DrawBar(LPortState& port, const CLRect& r)
{
    Fill(port, {r.left, r.top, r.right, r.top + 1}, 4);
    Fill(port, {r.left, r.top, r.left + 1, r.bottom}, 4);
    Fill(port, {r.left, r.bottom - 1, r.right, r.bottom}, 2);
    Fill(port, {r.right - 1, r.top, r.right, r.bottom}, 2);
    CLRect face = r;
    face.Inset(1, 1);
    Fill(port, face, 3);
}

} // namespace

// Records the bars before a re-layout; at its end redraws old and new bars together and
// erases only what is no longer a bar.
class CPaneDivider::BarGuard {
public:
    explicit BarGuard(CPaneDivider& divider) : fDivider(divider), fOld(divider.BarRegion()) {}
    ~BarGuard()
    {
        const LRegion now = fDivider.BarRegion();
        LRegion update = fOld;
        update.Union(now);
        LRegion erase = fOld;
        erase.Subtract(now);
        fDivider.Invalidate(update, erase);
    }
    BarGuard(const BarGuard&) = delete;
    BarGuard& operator=(const BarGuard&) = delete;

private:
    CPaneDivider& fDivider;
    LRegion fOld;
};

CPaneDivider::CPaneDivider(LHandler* parent, LPane* host) : LFrame(parent, host)
{
    (void)ResizeCursor(false);
}

CPaneDivider::CPaneDivider(LHandler* parent, LPane* host, const LWindowDef& def) : LFrame(parent, host, def)
{
    (void)ResizeCursor(false);
}

void CPaneDivider::SetOrientation(int32_t value)
{
    if (value == fOrientation)
        return;
    fOrientation = value;
    BarGuard guard(*this);
    LayoutAll();
}

void CPaneDivider::ShowPane(int32_t n, bool show)
{
    LPane* pane = n >= 0 ? PaneAt(uint32_t(n) + 1) : nullptr;
    if (!pane || pane->IsShown() == show)
        return;
    BarGuard guard(*this);
    pane->SetState(show ? kEventShow : kEventHide);
    LayoutAll();
    fLayoutNeeded = true;
}

void CPaneDivider::MoveDivider(int32_t n, int32_t position)
{
    if (DividerPos(n) < 0)
        return;
    const int32_t saved = fTrackPos;
    ComputeLimits(n);
    fTrackPos = std::max(std::min(position, fUpperLimit), fLowerLimit);
    {
        BarGuard guard(*this);
        ApplyDrag(true);
    }
    fTrackPos = saved;
}

// ---- sizes

int32_t CPaneDivider::PrefWidth(LPaneContext* context, int32_t)
{
    const std::vector<LPane*> visible = VisibleChildren();
    int32_t total = 0;
    for (LPane* pane : visible) {
        const int32_t w = pane->PrefWidth(context, 0);
        total = Stacked() ? std::max(total, w) : total + w;
    }
    if (!Stacked() && !visible.empty())
        total += kBarSize * int32_t(visible.size() - 1);
    return total;
}

int32_t CPaneDivider::PrefHeight(LPaneContext* context, int32_t)
{
    const std::vector<LPane*> visible = VisibleChildren();
    int32_t total = 0;
    for (LPane* pane : visible) {
        const int32_t h = pane->PrefHeight(context, 0);
        total = Stacked() ? total + h : std::max(total, h);
    }
    if (Stacked() && !visible.empty())
        total += kBarSize * int32_t(visible.size() - 1);
    return total;
}

void CPaneDivider::RectChanged(const CLRect& old)
{
    {
        BarGuard guard(*this);
        if (fLayoutNeeded) {
            LayoutAll();
            fLayoutNeeded = false;
        } else if (!CLRect::SameSize(old, Rect())) {
            const int64_t before = Stacked() ? old.Height() : old.Width();
            const std::vector<LPane*> visible = VisibleChildren();
            if (!visible.empty())
                Distribute(int32_t(MainExtent() - before), 0, visible.size() - 1);
        }
    }
    LFrame::RectChanged(old);
}

// ---- the mouse

int32_t CPaneDivider::BarAt(const CLPoint& local) const
{
    const std::vector<LPane*> visible = VisibleChildren();
    for (size_t k = 1; k < visible.size(); ++k) {
        if (BarRect(Lead(*visible[k])).Contains(local))
            return int32_t(k) - 1;
    }
    return -1;
}

CLPoint CPaneDivider::MouseLocal() const
{
    // A frame's context has its origin at the frame's own top-left corner.
    return MouseInPane(*this);
}

CLRect CPaneDivider::TrackRect() const
{
    if (Stacked())
        return {0, fTrackPos, int32_t(Rect().Width()), fTrackPos + kBarSize};
    return {fTrackPos, 0, fTrackPos + kBarSize, int32_t(Rect().Height())};
}

void CPaneDivider::TrackTo(const CLPoint& screen)
{
    const int32_t moved = Stacked() ? screen.y - fClickPoint.y : screen.x - fClickPoint.x;
    const int32_t value = std::max(std::min(DividerPos(fDraggedBar) + moved, fUpperLimit), fLowerLimit);
    if (value == fTrackPos)
        return;
    const LRegion old(TrackRect());
    Invalidate(old, old);
    fTrackPos = value;
    Invalidate(LRegion(TrackRect()), LRegion());
}

void CPaneDivider::SetOrientationCursor() const
{
    LMouse::SetCursorObject(ResizeCursor(Stacked()));
}

bool CPaneDivider::HandleMouse(LMessage& result, const LMessage& msg)
{
    LMouse* mouse = LMouse::Current();
    if (StrEqual(msg.type, kMouseCursor)) {
        if (mouse->Capture() != this && BarAt(MouseLocal()) < 0)
            return false;
        SetOrientationCursor();
        LMessage::Clear(result);
        return true;
    }
    if (StrEqual(msg.type, kMouseClick)) {
        fClickPoint = mouse->location;
        const int32_t bar = BarAt(MouseLocal());
        if (bar < 0)
            return false;
        ComputeLimits(bar);
        Invalidate(LRegion(TrackRect()), LRegion());
        LMessage::Make(result, msgReqCapture, this, Parent());
        return true;
    }
    if (StrEqual(msg.type, kMouseMove)) {
        if (fTrackPos >= 0)
            TrackTo(mouse->location);
        LMessage::Clear(result);
        return true;
    }
    if (StrEqual(msg.type, kMouseRelease) && fTrackPos >= 0) {
        {
            BarGuard guard(*this);
            ApplyDrag(false);
        }
        const LRegion track(TrackRect());
        Invalidate(track, track);
        fTrackPos = -1;
        LMessage::Make(result, msgChange, this, Parent());
        return true;
    }
    return false;
}

void CPaneDivider::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject && msg.subject == LMouse::Current()) {
        if (HandleMouse(result, msg))
            return;
        LFrame::HandleMessage(result, msg);
        return;
    }
    const auto* pane = dynamic_cast<const LPane*>(msg.subject);
    const bool aboutChild = pane && pane != this && pane->Host() == this;
    if (aboutChild && (StrEqual(msg.type, LPane::msgConstructing) || StrEqual(msg.type, LPane::msgDestructing)))
        fLayoutNeeded = true;
    if (StrEqual(msg.type, msgPref) && aboutChild) {
        LMessage::Make(result, kPaneDefer, this, Parent());
        return;
    }
    if (StrEqual(msg.type, msgDeferred) && msg.subject == this) {
        const std::vector<LPane*> visible = VisibleChildren();
        if (!visible.empty() && Rect().Width() >= PrefWidth(nullptr, 0) && Rect().Height() >= PrefHeight(nullptr, 0)) {
            BarGuard guard(*this);
            Distribute(0, 0, visible.size() - 1);
        }
    }
    LFrame::HandleMessage(result, msg);
}

LPane* CPaneDivider::HitTest(const CLPoint& point)
{
    LPane* hit = LFrame::HitTest(point);
    if (hit != this)
        return hit;
    return BarAt({point.x - Rect().left, point.y - Rect().top}) >= 0 ? this : nullptr;
}

void CPaneDivider::DrawSelf(LPortState& port) const
{
    LFrame::DrawSelf(port);
    LClipScope clip(port.PushClip(LRegion(Rect())));
    LOriginScope origin(port.OffsetOrigin(Rect().left, Rect().top));
    const LRegion area = port.Clip();
    const std::vector<LPane*> visible = VisibleChildren();
    for (size_t k = 1; k < visible.size(); ++k) {
        const CLRect bar = BarRect(Lead(*visible[k]));
        if (area.Intersects(bar))
            DrawBar(port, bar);
    }
    if (fTrackPos >= 0)
        Fill(port, TrackRect(), 1);
}
