#pragma once
// Drags rows of a list in a window as the user does through the window model's test driver:
// a press held on a row, a move that starts the drag, and the drag carried on by the user's
// pointer (the program's own drag) or by a drag session the test plays.
#include "controls/drag/CDragger.h"
#include "controls/lists/LListPane.h"
#include "platform/Clock.h"
#include "platform/window/DragSession.h"
#include "platform/window/DragTracking.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/draw/CDrawContext.h"
#include "shell/windows/ScreenCoords.h"
#include "tests/support/FireDueTimers.h"
#include "ui/panes/LPaneContext.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class ListDragKit {
public:
    ListDragKit(plat::WindowTestDriver& driver, plat::ScopedVirtualClock& clock) : fDriver(driver), fClock(clock) {}
    ~ListDragKit() { CDragger::SetDragRunner(nullptr); }

    // A point of a list (its host's coordinates) on the screen the driver plays.
    static plat::Point Screen(const LListPane& list, const CLPoint& point)
    {
        const LPaneContext context = LPaneContext::FromPane(list);
        const CLPoint host{context.originX, context.originY};
        const CLPoint global =
            CDrawContext::Measure(list.GetNativeWindow()).LocalToGlobal({point.x + host.x, point.y + host.y});
        return {double(global.x), double(GetMainScreenHeight() - global.y)};
    }
    // The screen point nearest to the gap before `row` (the row count: after the last row).
    static plat::Point Gap(const LListPane& list, int32_t row)
    {
        const bool end = row >= list.Rows();
        const CLRect cell = list.CellRect({0, end ? row - 1 : row});
        return Screen(list, {cell.left + 2, end ? cell.bottom - 1 : cell.top + 1});
    }
    // A drag session that goes to `to` and drops there.
    static CDragger::DragRunner DropAt(plat::Point to)
    {
        return [to](plat::DragSession& session) {
            session.MoveTo(to);
            session.MoveTo(to);
            return session.Drop();
        };
    }
    // Lets ms pass on the virtual clock and sends the due timer messages.
    void Pass(uint32_t ms)
    {
        fClock.AdvanceMs(ms);
        FireDueTimers();
    }
    // In the list's window, made key, presses on the margin of `row`, holds it `holdMs` and
    // moves 10 pixels: a drag that starts runs `play`; then the button comes up.
    void DragRow(LListPane& list, int32_t row, uint32_t holdMs, CDragger::DragRunner play)
    {
        CDragger::SetDragRunner(std::move(play));
        const plat::Point moved = StartDrag(list, row, holdMs);
        fDriver.PostMouse(plat::EventType::LeftMouseUp, moved);
        fDriver.DeliverAll();
        CDragger::SetDragRunner(nullptr);
    }
    enum class End { Drop, Escape };
    // The same gesture carried on by the program's own drag: the pointer goes through `path`
    // (each move reported, as a desktop does, to the window that took the press) and the
    // button comes up at its last point, or Escape is pressed there first. `look` runs at
    // each point once the drag has seen it.
    void DragRowThrough(LListPane& list, int32_t row, const std::vector<plat::Point>& path, End end,
                        const std::function<void(size_t)>& look = {})
    {
        CDragger::SetDragRunner(&plat::DragTracking::Run);
        plat::Window* pressed = list.GetNativeWindow();
        for (size_t i = 0; i < path.size(); ++i) {
            fDriver.WhenWaiting([this, pressed, at = path[i]] { Post(pressed, plat::EventType::LeftMouseDragged, at); });
            if (look)
                fDriver.WhenWaiting([look, i] { look(i); });
        }
        const plat::Point last = path.empty() ? plat::Point{} : path.back();
        if (end == End::Escape)
            fDriver.WhenWaiting([this] { fDriver.PostKey(plat::EventType::KeyDown, "\x1b", 53); });
        else
            fDriver.WhenWaiting([this, pressed, last] { Post(pressed, plat::EventType::LeftMouseUp, last); });
        StartDrag(list, row, 0);
        EXPECT_EQ(fDriver.StepsLeft(), 0u) << "the drag did not take the whole gesture";
        if (end == End::Escape) {
            fDriver.PostMouse(plat::EventType::LeftMouseUp, last);
            fDriver.DeliverAll();
        }
        CDragger::SetDragRunner(nullptr);
    }

private:
    // Presses on `row` and moves 10 pixels; answers where the pointer is.
    plat::Point StartDrag(LListPane& list, int32_t row, uint32_t holdMs)
    {
        if (plat::Window* window = list.GetNativeWindow())
            window->MakeKeyAndOrderFront();  // the user works in the list's window
        const CLRect cell = list.CellRect({0, row});
        const plat::Point at = Screen(list, {cell.left + 2, cell.top + 2});
        fDriver.PostMouse(plat::EventType::LeftMouseDown, at);
        fDriver.DeliverAll();
        Pass(holdMs);
        const plat::Point moved{at.x, at.y - 10};
        fDriver.PostMouse(plat::EventType::LeftMouseDragged, moved);
        fDriver.DeliverAll();
        return moved;
    }
    // A mouse event at the screen point as the window that took the press reports it.
    void Post(plat::Window* pressed, plat::EventType type, plat::Point screen)
    {
        plat::Ref<plat::Event> event = fDriver.MakeMouse(type, screen);
        if (pressed) {
            event->windowNumber = pressed->Number();
            event->locationInWindow = pressed->ConvertScreenToBase(screen);
        }
        plat::EventQueue::Shared().Post(event);
    }

    plat::WindowTestDriver& fDriver;
    plat::ScopedVirtualClock& fClock;
};
