#include "ui/frames/LFrame.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/window/Window.h"
#include "shell/draw/CDrawContext.h"
#include "shell/windows/CDesktop.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/menus/FrameMenus.h"
#include "ui/menus/LMenu.h"
#include "ui/panes/LPaneContext.h"
#include "ui/windows/LWindow.h"
#include "ui/windows/LWindowDef.h"

namespace {

// The standard arrow among the mouse's cursor shapes.
constexpr int32_t kArrowCursor = 0;

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
        InstallMenus();
        SetState(kEventActivate);
        LMessage::Make(result, msgActivate, this, Parent());
    } else if (StrEqual(type, kWindowDeactivate)) {
        SetState(kEventDeactivate);
        // While a modal dialog shows, the menus stay as they are under it.
        if (!CDesktop::FindWindowOfLayer(LWindowDef::kLayerModal))
            RemoveMenus();
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
            LMessage::Send(LMessage(msgMouseLeave, LMouse::Current(), old));
        SetMousePane(target);
    }
    LMessage::Make(result, "LMouse_Cursor", LMouse::Current(), target);
}

CLPoint LFrame::MouseInFrame() const
{
    const LMouse* mouse = LMouse::Current();
    if (!mouse)
        return {};
    const CLRect content = GetWindowContentRect();
    const LPaneContext context = LPaneContext::FromPane(*this);
    return {mouse->location.x - content.left - context.originX, mouse->location.y - content.top - context.originY};
}

void LFrame::InstallMenus()
{
    InstallFrameMenus(fMenus, fInstalledMenus);
}

void LFrame::RemoveMenus()
{
    RemoveFrameMenus(fMenus, fInstalledMenus);
}

void LFrame::CreateWindow(const LWindowDef& def)
{
    plat::Window* ownerNative = Host() ? Host()->GetNativeWindow() : nullptr;
    // The desktop service deletes the window (DeleteWindow).
    fWindow = new LWindow(def, this, ownerNative);
}

void LFrame::DeleteWindow()
{
    LWindow* window = fWindow;
    fWindow = nullptr;
    if (!window)
        return;
    if (CDesktop* desktop = CDesktop::Get())
        desktop->DeleteObject(window);
    else
        delete window;
}

void LFrame::FillWindowContext(LPaneContext& context) const
{
    context.window = fWindow->Native();
    context.view = fWindow->GetContentView();
    context.clip.SetRect(Rect());
    context.windowBackground = fBackground;
    context.background = fBackground;
}

LHandler* LFrame::WindowHandler() const
{
    return fWindow;
}

bool LFrame::IsClosableWindow() const
{
    return fWindow && fWindow->IsClosable();
}

bool LFrame::IsResizableWindow() const
{
    return fWindow && fWindow->IsResizable();
}

uint32_t LFrame::WindowLayer() const
{
    return fWindow ? fWindow->Layer() : 0;
}

// A floating window's own frame hands what it does not take to the front document window.
LHandler* LFrame::FloatingPassTarget() const
{
    if (Host() || WindowLayer() != LWindowDef::kLayerFloating)
        return nullptr;
    LWindow* front = CDesktop::FindWindowOfLayer(LWindowDef::kLayerDocument);
    LHandler* owner = front ? front->GetOwner() : nullptr;
    return owner == this ? nullptr : owner;
}

void LFrame::MakeFloatingKey()
{
    // A panel that takes the keys only when needed does not take them as it shows.
    const plat::Window* native = fWindow ? fWindow->Native() : nullptr;
    if (fPlacingFocus && native && native->becomesKeyOnlyIfNeeded)
        return;
    if (WindowLayer() == LWindowDef::kLayerFloating)
        fWindow->MakeKey();
}

void LFrame::SetArrowCursor()
{
    LMouse::SetCursor(kArrowCursor);
}

// The placer's minimum becomes the preferred size; a frame without layout keeps its size.
void LFrame::PlacerGrow(LHandler* subject)
{
    auto* placer = dynamic_cast<LWindowPlacer*>(subject);
    if (!placer)
        return;
    if (!HasLayout()) {
        const auto w = static_cast<int32_t>(Rect().Width()), h = static_cast<int32_t>(Rect().Height());
        placer->SetLimits(w, h, w, h);
        return;
    }
    const CLRect preferred = PreferredRect();
    placer->SetMinSize(static_cast<int32_t>(preferred.Width()), static_cast<int32_t>(preferred.Height()));
}

void LFrame::InvalidateWindow(const LRegion& area)
{
    if (fWindow)
        fWindow->InvalidateRect(area);
}

void LFrame::UpdateWindowNow()
{
    if (fWindow)
        fWindow->UpdateNow();
}

void LFrame::DrawWindow()
{
    if (!fWindow || !fWindow->Native())
        return;
    CDrawContext port(fWindow->Native());
    port.SetUpdating();
    DrawSelf(port);
}

void LFrame::ShowWindow()
{
    if (!fWindow)
        return;
    if (CDesktop* desktop = CDesktop::Get())
        desktop->ShowWindow(fWindow);
    SetState(kEventHostShow);
}

void LFrame::HideWindow()
{
    if (!fWindow)
        return;
    SetState(kEventHostHide);
    if (CDesktop* desktop = CDesktop::Get())
        desktop->HideWindow(fWindow);
}

CLRect LFrame::GetWindowContentRect() const
{
    return fWindow ? fWindow->GetContentRect() : CLRect{};
}

CLRect LFrame::GetWindowFrameRect() const
{
    return fWindow ? fWindow->GetFrameRect() : CLRect{};
}

void LFrame::SetWindowContentRect(const CLRect& rect)
{
    if (!fWindow)
        return;
    fWindow->SetContentRect(rect);
    TakeWindowSize();
}

void LFrame::SetTitle(const LStringRef& text)
{
    if (fWindow)
        fWindow->SetTitle(text);
}

// The frame's rect follows its window's content size.
void LFrame::TakeWindowSize()
{
    const CLRect content = GetWindowContentRect();
    SetRect({0, 0, static_cast<int32_t>(content.Width()), static_cast<int32_t>(content.Height())});
}

// The screen point of a point in `pane`'s own coordinates (a frame's content, a pane's host).
CLPoint LFrame::ScreenPointOf(const LPane& pane, const CLPoint& point)
{
    const LPaneContext context = LPaneContext::FromPane(pane);
    CLPoint screen{point.x + context.originX, point.y + context.originY};
    if (const LWindow* window = LWindow::FindByNative(context.window)) {
        const CLRect content = window->GetContentRect();
        screen.x += content.left;
        screen.y += content.top;
    }
    return screen;
}
