// Drags in the running program: the pointer a person moves carries faders from one document's
// editor to another's, through the drag the program installs at start-up.
#include "analysis/window/CSpecWindow.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/UserWindowActions.h"
#include "tests/app/AppRunKit.h"
#include "tests/controls/lists/ListDragKit.h"
#include "tests/support/FireDueTimers.h"
#include "ui/menus/LMenuItem.h"

#include <gtest/gtest.h>

namespace {

class AppDrags : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    // A new document whose editor shows `faders` faders added with its Add Fader command.
    static CSpecWindow& Document(int faders)
    {
        CSpecWindow* document = CApp::Get()->OpenDocument("");
        EXPECT_NE(document, nullptr);
        struct AddFader : LMenuItem {
            AddFader() : LMenuItem(nullptr) { AddCommand("CAppCmd_AddFdr"); }
        } item;
        for (int i = 0; i < faders; ++i)
            LMessage::Send(LMessage(LMenuItem::msgSelected, &item, static_cast<LHandler*>(document)));
        return *document;
    }
};

} // namespace

TEST_F(AppDrags, FadersDraggedToAnotherDocumentAreCopiedThere)
{
    CSpecWindow& target = Document(1);
    CSpecWindow& source = Document(2);
    // Side by side, as the person arranged them.
    plat::Window& left = *source.Window()->Native();
    plat::Window& right = *target.Window()->Native();
    plat::UserWindowActions::Move(left, {0, 0});
    plat::UserWindowActions::Move(right, {left.Frame().width + 10, 0});
    left.MakeKeyAndOrderFront();

    CFaderList& list = source.FaderFrame().List();
    const CLRect cell = list.CellRect({0, 1});  // the fader added last, selected
    const plat::Point at = ListDragKit::Screen(list, {cell.left + 2, cell.top + 2});
    const plat::Point to = ListDragKit::Gap(target.FaderFrame().List(), 0);
    windows.PostMouse(plat::EventType::LeftMouseDown, at);
    windows.DeliverAll();
    FireDueTimers();
    windows.WhenWaiting([&] { windows.PostMouse(plat::EventType::LeftMouseDragged, to); });
    windows.WhenWaiting([&] { windows.PostMouse(plat::EventType::LeftMouseUp, to); });
    windows.PostMouse(plat::EventType::LeftMouseDragged, {at.x, at.y - 10});
    windows.DeliverAll();
    EXPECT_EQ(windows.StepsLeft(), 0u) << "the drag did not run";
    EXPECT_EQ(target.Document().FaderCount(), 2);
    EXPECT_EQ(source.Document().FaderCount(), 2);
}
