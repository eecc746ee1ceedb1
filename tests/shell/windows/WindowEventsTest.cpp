#include "WindowBridgeKit.h"
#include "platform/Clock.h"
#include "platform/controls/TextFieldView.h"
#include "platform/window/EventQueue.h"
#include "platform/window/EventRouter.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/windows/MWindowDelegate.h"
#include "foundation/core/StrEqual.h"
#include "foundation/geometry/LRegion.h"
#include "platform/window/DisplayCycle.h"
#include "ui/frames/LWindowPlacer.h"

#include <algorithm>

#include <gtest/gtest.h>

using plat::EventType;
using plat::Point;

namespace {

// A document window showing at content rect 100, 100, 400, 300 (framework coordinates).
class WindowEventsTest : public WindowBridgeTest {
protected:
    void SetUp() override
    {
        fWindow->SetContentRect(CLRect{100, 100, 400, 300});
        fDesktop.ShowWindow(fWindow.get());
        fFrame.seen.clear();
    }

    // A screen point (window-system coordinates) at framework point (x, y).
    static Point At(int x, int y) { return Point{double(x), 900.0 - y}; }
    int Count(const std::string& type) const
    {
        return int(std::count(fFrame.seen.begin(), fFrame.seen.end(), type));
    }

    std::unique_ptr<LWindow> fWindow = MakeWindow(9);
};

} // namespace

TEST_F(WindowEventsTest, FirstMouseNeedsTheWindowToHaveBeenMainForATenthOfASecond)
{
    plat::ScopedVirtualClock clock(5000);
    auto fresh = MakeWindow(9);
    auto* view = static_cast<MWindowView*>(fresh->GetContentView());
    EXPECT_FALSE(view->AcceptsFirstMouse(nullptr)); // never became main
    fDesktop.ShowWindow(fresh.get());
    clock.AdvanceMs(50);
    EXPECT_FALSE(view->AcceptsFirstMouse(nullptr));
    clock.AdvanceMs(51);
    EXPECT_TRUE(view->AcceptsFirstMouse(nullptr));
    auto modal = MakeWindow(0);
    modal->Native()->SetLevel(3);
    EXPECT_TRUE(static_cast<MWindowView*>(modal->GetContentView())->AcceptsFirstMouse(nullptr));
}

TEST_F(WindowEventsTest, ABackgroundClickThatAPaneTakesKeepsTheWindowBehind)
{
    auto front = MakeWindow(9);
    front->SetContentRect(CLRect{300, 100, 600, 300});
    fDesktop.ShowWindow(front.get());
    fFrame.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LWindow::msgBkgnd))
            fMouse.pending = 1; // a pane took the background click: leave the flag set
    };
    RecordingHandler consumer(nullptr, "LWindow_Bkgnd");
    fWindow->SetParent(&consumer);
    fDriver.PostMouse(EventType::LeftMouseDown, At(150, 150));
    fDriver.DeliverAll();
    EXPECT_EQ(fDriver.OnScreen().front(), front->Native()->Number());
    fWindow->SetParent(&fFrame);
}

TEST_F(WindowEventsTest, DragFloodsCoalesceButAPendingPressIsNotLost)
{
    RecordingHandler capture;
    fMouse.SetCapture(&capture);
    fDriver.PostMouse(EventType::LeftMouseDown, At(150, 150));
    fDriver.DeliverAll();
    fMouse.SetCapture(&capture);
    for (int x = 151; x <= 160; ++x)
        fDriver.PostMouse(EventType::LeftMouseDragged, At(x, 150));
    fDriver.DeliverAll();
    EXPECT_EQ(capture.seen, (std::vector<std::string>{"LMouse_Move"}));
    EXPECT_EQ(fMouse.location.x, 160);

    capture.seen.clear();
    fDriver.PostMouse(EventType::LeftMouseDragged, At(170, 150));
    fDriver.PostMouse(EventType::LeftMouseDown, At(200, 150));
    fDriver.PostMouse(EventType::LeftMouseDragged, At(210, 150));
    plat::Ref<plat::Event> first = plat::EventQueue::Shared().NextMatching(plat::kEventMaskAny, 0, 0, true);
    plat::EventRouter::Shared().Send(*first);
    EXPECT_EQ(fMouse.location.x, 170); // the current drag, nothing taken past the press
    EXPECT_EQ(plat::EventQueue::Shared().Count(), 2u);
    EXPECT_EQ(capture.seen.size(), 1u);

    fDriver.PostMouse(EventType::LeftMouseUp, At(210, 150));
    fDriver.DeliverAll();
    EXPECT_EQ(fMouse.Capture(), nullptr);
}

TEST_F(WindowEventsTest, ClicksReachTheFrameWithTheMouseStateFilledAndReleasesGoToTheDroppedCapture)
{
    fDriver.Click(At(150, 120), plat::kModShift);
    EXPECT_EQ(Count("LWindow_Click"), 1);
    EXPECT_EQ(fMouse.location, (CLPoint{150, 120}));
    EXPECT_TRUE(fMouse.IsShift());
    EXPECT_EQ(fMouse.clickLocation, (CLPoint{150, 120}));
    EXPECT_EQ(fMouse.pending, 1); // no pointer message came back to the mouse state to clear it

    RecordingHandler capture;
    fDriver.PostMouse(EventType::LeftMouseDown, At(150, 150));
    fDriver.DeliverAll();
    fMouse.SetCapture(&capture);
    const CLPoint before = fMouse.location;
    fDriver.PostMouse(EventType::LeftMouseUp, At(300, 250));
    fDriver.DeliverAll();
    EXPECT_EQ(capture.seen, (std::vector<std::string>{"LMouse_Release"}));
    EXPECT_EQ(fMouse.Capture(), nullptr);
    EXPECT_EQ(fMouse.location, before); // the release does not move the mouse state
}

TEST_F(WindowEventsTest, ReentrantKeyDownIsDroppedAndShiftTabReadsAsTab)
{
    auto* view = static_cast<MWindowView*>(fWindow->GetContentView());
    int downs = 0;
    fFrame.onMessage = [&](const LMessage& msg) {
        if (!StrEqual(msg.type, LKeyboard::msgDown))
            return;
        ++downs;
        view->DoCommandBySelector(); // a command arriving while the key is delivered
        view->KeyDown(*plat::EventQueue::Shared().Current());
    };
    fDriver.TypeKey("\x19", 48, plat::kModShift);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(fKeyboard.character, 9);
    EXPECT_TRUE(fKeyboard.IsShift());
    EXPECT_EQ(Count("LKeyboard_Up"), 1);
    EXPECT_EQ(Count("LKeyboard_Char"), 0);
    fFrame.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LKeyboard::msgDown))
            fKeyboard.charFlag = 0; // a handler wants the key as a character
    };
    fDriver.TypeKey("x", 7);
    EXPECT_EQ(Count("LKeyboard_Char"), 1);
    fFrame.onMessage = nullptr;
    plat::EventQueue::Shared().SetCurrent(fDriver.MakeKey(EventType::KeyDown, "q", "q", 12));
    view->DoCommandBySelector(); // outside a delivery it delivers the current key-down
    EXPECT_EQ(Count("LKeyboard_Down"), 3);
}

TEST_F(WindowEventsTest, ContextClickThatAPaneTookSwallowsItsMouseDown)
{
    RecordingHandler taker(nullptr, "LWindow_Context");
    taker.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LWindow::msgContext))
            fMouse.pending = 1;
    };
    fWindow->SetParent(&taker);
    fDriver.Click(At(150, 150), plat::kModControl);
    EXPECT_EQ(taker.seen, (std::vector<std::string>{"LWindow_Context"}));
    taker.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LWindow::msgContext))
            fMouse.pending = 0; // no pane took it: the pointer message came back to the mouse state
    };
    fDriver.Click(At(150, 150), plat::kModControl); // declined: the click goes on as a press
    EXPECT_EQ(taker.seen, (std::vector<std::string>{"LWindow_Context", "LWindow_Context", "LWindow_Click"}));
    fWindow->SetParent(&fFrame);
}

TEST_F(WindowEventsTest, SizeNegotiationLetsTheMinimumWin)
{
    fFrame.onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, LWindowPlacer::msgGrow)) {
            auto* placer = static_cast<LWindowPlacer*>(msg.subject);
            placer->minWidth = 250;
            placer->minHeight = 150;
            placer->maxWidth = 200; // crosses the minimum
            placer->maxHeight = 400;
        }
    };
    fDriver.ResizeByUser(*fWindow->Native(), 100, 100 + 22);
    EXPECT_EQ(fWindow->GetContentRect().Width(), 250);
    EXPECT_EQ(fWindow->GetContentRect().Height(), 150);
    fFrame.onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, LWindowPlacer::msgSizing))
            static_cast<LWindowPlacer*>(msg.subject)->height = 123;
    };
    fDriver.ResizeByUser(*fWindow->Native(), 500, 300);
    EXPECT_EQ(fWindow->GetContentRect().Width(), 500);
    EXPECT_EQ(fWindow->GetContentRect().Height(), 123);
    EXPECT_EQ(Count("LWindowPlacer_Grow"), 2);
    fFrame.onMessage = nullptr;
}

TEST_F(WindowEventsTest, EveryFrameworkWindowLendsOneFieldEditorToItsPlainTextFields)
{
    auto other = MakeWindow(9);
    const auto plain = plat::TextFieldView::Make(plat::Rect{0, 0, 50, 20});
    const auto multi = plat::TextFieldView::Make(plat::Rect{0, 0, 50, 20});
    multi->SetMultiLine(true);
    const auto secure = plat::TextFieldView::Make(plat::Rect{0, 0, 50, 20});
    secure->SetSecure(true);
    const auto view = plat::View::Make(plat::Rect{0, 0, 50, 20});
    plat::Window& native = *fWindow->Native();
    auto* editor = dynamic_cast<plat::FieldEditorView*>(native.FieldEditor(plain.Get()));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsFieldEditor());
    EXPECT_EQ(native.FieldEditor(multi.Get()), editor);
    EXPECT_FALSE(editor->IsFieldEditor());
    EXPECT_NE(other->Native()->FieldEditor(plain.Get()), editor);   // one per window
    for (plat::View* none : {static_cast<plat::View*>(secure.Get()), view.Get(), static_cast<plat::View*>(nullptr)})
        EXPECT_EQ(native.FieldEditor(none), nullptr);
}
