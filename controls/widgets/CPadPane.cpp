#include "controls/widgets/CPadPane.h"
#include "controls/CColor.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/draw/Canvas.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LListBoxFrame.h"
#include "ui/draw/LPortState.h"

#include <algorithm>

const char* CPadPane::msgChange = "CPadPane_Change";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseCursor = "LMouse_Cursor";

const LListBoxFrame kPadFrame;

void Fill(LPortState& port, const LRegion& region, uint32_t greyLevel)
{
    LFillRegionOp(region, CColorRef(CColor::Grey(greyLevel))).Draw(port);
}

// A one-pixel line between the centres of two pixels.
void Line(LPortState& port, const CLPoint& from, const CLPoint& to, uint32_t greyLevel)
{
    plat::Canvas* canvas = port.Context();
    if (!canvas)
        return;
    LPortStateScope saved(port);
    port.ApplyColors(CColor::Grey(greyLevel));
    canvas->SetLineWidth(1);
    canvas->StrokeLine({from.x + 0.5, from.y + 0.5}, {to.x + 0.5, to.y + 0.5});
}

int32_t Half(int64_t size)
{
    return int32_t(size / 2);
}

} // namespace

CPadPane::CPadPane(LPane* parent) : LPane(parent, parent) {}

CPadPane::~CPadPane() = default;

CLPoint CPadPane::PointPosition(int32_t x, int32_t y) const
{
    return {Rect().left + x + Half(Rect().Width()), Rect().top + y + Half(Rect().Height())};
}

LRegion CPadPane::Marker(int32_t x, int32_t y) const
{
    const CLPoint c = PointPosition(x, y);
    LRegion marker(CLRect{c.x - 2, c.y, c.x + 3, c.y + 1});
    marker.Union(LRegion(CLRect{c.x, c.y - 2, c.x + 1, c.y + 3}));
    return marker;
}

void CPadPane::StorePoint(int32_t x, int32_t y)
{
    fX = x;
    fY = y;
}

void CPadPane::SetPointClamped(int32_t x, int32_t y)
{
    const auto w = int32_t(std::max<int64_t>(Rect().Width(), 0));
    const auto h = int32_t(std::max<int64_t>(Rect().Height(), 0));
    (void)SetPoint(std::clamp(x, -(w / 2), w - w / 2), std::clamp(y, -(h / 2), h - h / 2));
}

bool CPadPane::SetPoint(int32_t x, int32_t y)
{
    if (x == fX && y == fY)
        return false;
    LRegion area = Marker(fX, fY);
    StorePoint(x, y);
    area.Union(Marker(x, y));
    area.Intersect(LRegion(Rect()));
    Invalidate(area, LRegion());
    return true;
}

void CPadPane::Report()
{
    LMessage::Send(LMessage(msgChange, this, Parent()));
}

void CPadPane::MoveToMouse()
{
    const CLPoint mouse = MouseInPane(*this);
    const CLPoint before = Point();
    SetPointClamped(mouse.x - Rect().left - Half(Rect().Width()), mouse.y - Rect().top - Half(Rect().Height()));
    if (Point() != before)
        Report();
}

void CPadPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject && msg.subject == LMouse::Current()) {
        if (StrEqual(msg.type, kMouseClick)) {
            fFollow = !fFollow;
            MoveToMouse();
            LMessage::Make(result, msgReqCapture, this, Parent());
            return;
        }
        if (StrEqual(msg.type, kMouseMove)) {
            fFollow = false;
            MoveToMouse();
            LMessage::Clear(result);
            return;
        }
        if (StrEqual(msg.type, kMouseCursor) && fFollow)
            MoveToMouse();
    }
    LPane::HandleMessage(result, msg);
}

void CPadPane::RectChanged(const CLRect& old)
{
    LPane::RectChanged(old);
    SetPointClamped(fX, fY);
    Report();
}

bool CPadPane::Overlaps(const LRegion& region) const
{
    CLRect grown = Rect();
    grown.Inset(-kFrameWidth, -kFrameWidth);
    return IsShown() && region.Intersects(grown);
}

void CPadPane::DrawSelf(LPortState& port) const
{
    const CLRect& r = Rect();
    kPadFrame.Draw(port, r, 0);
    Fill(port, LRegion(r), 1);
    const int32_t cx = r.left + Half(r.Width());
    const int32_t cy = r.top + Half(r.Height());
    LRegion cross(CLRect{cx, r.top, cx + 1, r.bottom});
    cross.Union(LRegion(CLRect{r.left, cy, r.right, cy + 1}));
    Fill(port, cross, 2);
    LRegion marker = Marker(fX, fY);
    marker.Intersect(LRegion(r));
    Fill(port, marker, 3);
}

// ---- the colour window's pad

CPadPane2::CPadPane2(LPane* parent) : CPadPane(parent) {}

CPadPane2::~CPadPane2() = default;

bool CPadPane2::SetPoint(int32_t x, int32_t y)
{
    if (Point() == CLPoint{x, y})
        return false;
    StorePoint(x, y);
    Invalidate(LRegion(Rect()), LRegion());
    return true;
}

void CPadPane2::DrawSelf(LPortState& port) const
{
    const CLRect& r = Rect();
    LFillRegionOp(LRegion(r), CColorRef(CColor::FromRGB(0, 0, 0, 0, 1.0f))).Draw(port);
    const CLPoint bottomCentre{r.left + Half(r.Width()), r.bottom};
    Line(port, {bottomCentre.x, r.top}, bottomCentre, 2);
    Line(port, PointPosition(Point().x, Point().y), bottomCentre, 4);
}
