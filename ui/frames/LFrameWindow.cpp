#include "ui/frames/LFrame.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "ui/panes/LPaneContext.h"

namespace {

constexpr const char* kWindowUpdate = "LWindow_Update";
constexpr const char* kWindowCursor = "LWindow_Cursor";
constexpr const char* kWindowActivate = "LWindow_Activate";
constexpr const char* kWindowDeactivate = "LWindow_Deativate";
constexpr const char* kWindowFocus = "LWindow_Focus";
constexpr const char* kWindowUnfocus = "LWindow_Unfocus";
constexpr const char* kWindowClick = "LWindow_Click";
constexpr const char* kWindowBkgnd = "LWindow_Bkgnd";
constexpr const char* kWindowWheel = "LWindow_Wheel";
constexpr const char* kWindowContext = "LWindow_Context";
constexpr const char* kWindowPlace = "LWindow_Place";
constexpr const char* kWindowClose = "LWindow_Close";

// Window messages that become mouse messages addressed to the pane under the mouse.
struct MouseRoute {
    const char* window;
    const char* mouse;
};
constexpr MouseRoute kMouseRoutes[] = {
    {kWindowClick, "LMouse_Click"},
    {kWindowBkgnd, "LMouse_Bkgnd"},
    {kWindowWheel, "LMouse_Wheel"},
    {kWindowContext, "LMouse_Context"},
};

} // namespace

bool LFrame::HandleWindowMessage(LMessage& result, const LMessage& msg)
{
    const char* type = msg.type;
    for (const MouseRoute& route : kMouseRoutes) {
        if (StrEqual(type, route.window)) {
            AddressMouse(result, route.mouse);
            return true;
        }
    }
    if (StrEqual(type, kWindowUpdate)) {
        if (!HasFlags(kPaneShown | kPaneHostShown))
            return false;
        DrawWindow();
        Consume(result);
    } else if (StrEqual(type, kWindowCursor)) {
        TrackCursor(result);
    } else if (StrEqual(type, kWindowActivate)) {
        SetState(kEventActivate);
        LMessage::Make(result, msgActivate, this, Parent());
    } else if (StrEqual(type, kWindowDeactivate)) {
        SetState(kEventDeactivate);
        LMessage::Make(result, msgDeactivate, this, Parent());
    } else if (StrEqual(type, kWindowFocus) || StrEqual(type, kWindowUnfocus)) {
        SetState(StrEqual(type, kWindowFocus) ? kEventKeyWindow : kEventNotKeyWindow);
        Consume(result);
    } else if (StrEqual(type, kWindowPlace)) {
        const CLRect content = GetWindowContentRect();
        SetRect({0, 0, static_cast<int32_t>(content.Width()), static_cast<int32_t>(content.Height())});
        StateChanged(kEventMoved);
        LMessage::Make(result, msgPlace, this, Parent());
    } else if (StrEqual(type, kWindowClose)) {
        LMessage::Make(result, msgClose, this, Parent());
    } else {
        return false;
    }
    return true;
}

// Records the pane under the mouse, telling the one the mouse left, and asks the new one for
// its cursor.
void LFrame::TrackCursor(LMessage& result)
{
    LPane* target = PaneUnderMouse();
    if (target != MousePane()) {
        if (LPane* old = MousePane())
            LMessage::Send(LMessage(msgMouseLeave, Mouse(), old));
        SetMousePane(target);
    }
    LMessage::Make(result, "LMouse_Cursor", Mouse(), target);
}

CLPoint LFrame::MouseInFrame() const
{
    if (!Mouse())
        return {};
    const CLRect content = GetWindowContentRect();
    const LPaneContext context = LPaneContext::FromPane(*this);
    return {Mouse()->location.x - content.left - context.originX, Mouse()->location.y - content.top - context.originY};
}

// NOTE: the operations below do nothing, or answer as for no window, until windows exist.
LHandler* LFrame::WindowHandler() const { return nullptr; }
bool LFrame::IsClosableWindow() const { return false; }
bool LFrame::IsResizableWindow() const { return false; }
uint32_t LFrame::WindowLayer() const { return 0; }
LHandler* LFrame::FloatingPassTarget() const { return nullptr; }
void LFrame::MakeFloatingKey() {}
void LFrame::SetArrowCursor() {}
void LFrame::PlacerGrow(LHandler*) {}
void LFrame::InvalidateWindow(const LRegion&) {}
void LFrame::UpdateWindowNow() {}
void LFrame::DrawWindow() {}
void LFrame::ShowWindow() {}
void LFrame::HideWindow() {}
CLRect LFrame::GetWindowContentRect() const { return {}; }
CLRect LFrame::GetWindowFrameRect() const { return {}; }
void LFrame::SetWindowContentRect(const CLRect&) {}
void LFrame::SetTitle(const char*) {}
