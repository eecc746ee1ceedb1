#pragma once
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/Clock.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// A pane standing in for the frame that holds controls: it owns a key window of 300 x 200
// at the screen's top-left, gives its children that window's content view as their drawing
// context, records the messages that reach it and consumes the types it is told to.
class ControlHost : public LPane {
public:
    ControlHost() : LPane(nullptr, nullptr)
    {
        fWindow->MakeKeyAndOrderFront();
        SetRect(CLRect{0, 0, 300, 200});
    }

    void GetContext(LPaneContext& context) const override
    {
        context.window = fWindow.Get();
        context.view = fWindow->ContentView();
        context.clip = LRegion(visible);
        context.originX = 0;
        context.originY = 0;
    }

    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back(msg.type ? msg.type : "");
        if (onMessage)
            onMessage(msg);
        if (std::find(consume.begin(), consume.end(), msg.type ? msg.type : "") != consume.end()) {
            LMessage::Clear(result);
            return;
        }
        LPane::HandleMessage(result, msg);
    }

    // Messages of one type seen so far.
    int Count(const std::string& type) const { return static_cast<int>(std::count(seen.begin(), seen.end(), type)); }

    // A screen point (the driver's: bottom-left origin) for a point of the content, top-down.
    plat::Point Screen(double x, double y) const
    {
        return fWindow->ConvertBaseToScreen(plat::Point{x, fWindow->ContentRect().height - y});
    }
    // A person's press at a content point sent to `pane` as the window bridge does, with the
    // rest of the gesture played meanwhile: moves along the points, then (when asked) the
    // release, held holdMs when the pointer does not move.
    void Press(LPane& pane, double x, double y, const std::vector<std::pair<double, double>>& then,
               bool release = true, uint64_t holdMs = plat::WindowTestDriver::kClickHoldMs)
    {
        PlanGesture(x, y, then, release, holdMs);
        SendPress(pane, x, y);
    }
    // The rest of a gesture, planned to follow a press made now.
    void PlanGesture(double x, double y, const std::vector<std::pair<double, double>>& then, bool release = true,
                     uint64_t holdMs = plat::WindowTestDriver::kClickHoldMs)
    {
        driver.PlanStep(0, [] {}); // the gesture's time starts now
        std::vector<plat::Point> path;
        for (const auto& [dx, dy] : then)
            path.push_back(Screen(dx, dy));
        driver.PlanDragPath(Screen(x, y), path);
        if (release) {
            const auto& last = then.empty() ? std::pair<double, double>{x, y} : then.back();
            driver.PlanRelease(then.empty() ? holdMs : plat::WindowTestDriver::kDragSettleMs,
                               Screen(last.first, last.second));
        }
    }
    // Sends the press to `pane`, then plays what is planned to its end.
    void SendPress(LPane& pane, double x, double y)
    {
        const plat::Ref<plat::Event> down = driver.MakeMouse(plat::EventType::LeftMouseDown, Screen(x, y));
        mouse.UpdateFromEvent(*down);
        LMessage::Send(LMessage("LMouse_Click", &mouse, &pane));
        driver.Play();
    }

    // Puts the mouse state at a content point (top-down), as the window bridge would.
    void SetMouse(int32_t x, int32_t y)
    {
        const CLRect content = NSRectToRect(fWindow->ContentRect(), GetMainScreenHeight());
        mouse.location = {content.left + x, content.top + y};
    }
    // Sends a pointer message of the mouse state to a pane.
    void MouseMessage(LPane& pane, const char* type, int32_t x, int32_t y)
    {
        SetMouse(x, y);
        LMessage::Send(LMessage(type, &mouse, &pane));
    }

    plat::ScopedVirtualClock clock{1000}; // a person's time passes on it
    plat::WindowTestDriver driver;
    LMouse mouse;
    plat::Ref<plat::Window> fWindow = plat::Window::Make(plat::Rect{0, 600, 300, 200}, plat::kStyleTitled);
    CLRect visible{0, 0, 300, 200};
    std::vector<std::string> seen;
    std::vector<std::string> consume;
    std::function<void(const LMessage&)> onMessage;
};

// Makes a control of the host shown in its window and active.
inline void Activate(LPane& pane, const CLRect& rect)
{
    pane.SetState(kEventHostShow);
    pane.SetState(kEventActivate);
    pane.SetRect(rect);
}
