// Drags in the running program: the pointer a person moves carries faders from one document's
// editor to another's, through the drag the program installs at start-up.
#include "analysis/window/CSpecWindow.h"
#include "outputs/editor/CFaderFrame.h"
#include "tests/app/AppRunKit.h"
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
    // The fader added last, selected, dragged to the other document's first gap.
    DragRow(source.FaderFrame().List(), 1, target.FaderFrame().List(), 0);
    EXPECT_EQ(target.Document().FaderCount(), 2);
    EXPECT_EQ(source.Document().FaderCount(), 2);
}
