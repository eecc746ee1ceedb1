#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/LDrop.h"
#include "shell/windows/WindowNumberCache.h"
#include "tests/support/RecordingHandler.h"
#include "ui/frames/LFrame.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A pane that takes the focus and drags, writing down what reaches it.
struct TargetPane : LPane {
    TargetPane(LFrame* host, const CLRect& rect) : LPane(host, host)
    {
        SetRect(rect);
        SetState(kEventTakeFocus);
    }
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back(msg.type ? msg.type : "");
        if (drop && msg.subject == drop && StrEqual(msg.type, LDrop::msgSense)) {
            drop->EnterPane(this);
            LMessage::Clear(result);
            return;
        }
        if (drop && msg.subject == drop && (StrEqual(msg.type, LDrop::msgEnter) || StrEqual(msg.type, LDrop::msgDrag))) {
            drop->SetAccept(LDrop::kCopy);
            LMessage::Clear(result);
            return;
        }
        LPane::HandleMessage(result, msg);
    }
    int Count(const char* type) const { return int(std::count(seen.begin(), seen.end(), std::string(type))); }

    LDrop* drop = nullptr;
    std::vector<std::string> seen;
};

// A document frame with a window at content rect 100, 100, 500, 400 and one pane in it.
class WindowFrameTest : public ::testing::Test {
protected:
    WindowFrameTest()
    {
        WindowNumberCache::MarkStale();
        fFrame.SetWindowContentRect(CLRect{100, 100, 500, 400});
        fFrame.ShowWindow();
    }
    ~WindowFrameTest() override { WindowNumberCache::MarkStale(); }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LKeyboard fKeyboard;
    RecordingHandler fApp;
    LRef fKind{new CNativeWindowKind(9)};
    LFrame fFrame{&fApp, nullptr, LWindowDef(1, static_cast<CNativeWindowKind*>(fKind.Get()))};
    TargetPane fPane{&fFrame, CLRect{10, 10, 110, 60}};
};

} // namespace

TEST_F(WindowFrameTest, KeysReachTheFocusedPaneOfTheKeyWindow)
{
    ASSERT_NE(fFrame.Window(), nullptr);
    EXPECT_TRUE(fFrame.Window()->IsVisible());
    fFrame.MoveFocus(LFocusDir::Forward);
    ASSERT_EQ(fFrame.Focus(), &fPane);
    fDriver.TypeKey("a", 0);
    EXPECT_EQ(fPane.Count("LKeyboard_Down"), 1);
    EXPECT_EQ(fPane.Count("LKeyboard_Up"), 1);
}

TEST_F(WindowFrameTest, DragsSenseThePaneUnderThePointerAndLeaveItOverEmptySpace)
{
    LDrop drop(fFrame.Window()->Native());
    drop.Register();
    fPane.drop = &drop;
    plat::Pasteboard::Drag().Clear();
    plat::Pasteboard::Drag().SetData("FADR", {1});
    plat::DragSession drag(plat::Pasteboard::Drag(), plat::kDragCopy);
    // Framework point (130, 130) is pane-local (20, 20); the window system counts from the bottom.
    EXPECT_EQ(drag.MoveTo(plat::Point{130, 900 - 130}), uint32_t(plat::kDragCopy));
    EXPECT_EQ(drop.CurrentPane(), &fPane);
    EXPECT_EQ(fPane.Count("LDrop_Enter"), 1);
    EXPECT_EQ(drag.MoveTo(plat::Point{400, 900 - 300}), 0u); // empty part of the window
    EXPECT_EQ(fPane.Count("LDrop_Leave"), 1);
    EXPECT_EQ(drop.CurrentPane(), nullptr);
    drag.Cancel();
    drop.Unregister();
}
