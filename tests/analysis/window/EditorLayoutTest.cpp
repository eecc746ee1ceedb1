// The fader editor, its rows for every output kind, and the event-text window with its rows,
// built from their layouts in a document window: no layout reads a name it never set, and
// every pane lies inside its frame.
#include "analysis/events/CEventCell.h"
#include "analysis/events/CEventWindow.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/Window.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/support/LayoutReads.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;
using Numbers = std::vector<uint32_t>;

TEST_F(SpecWindowTest, FaderEditorRowsOfEveryOutputKindFitTheirCells)
{
    CSpecWindow& w = Make();
    CFaderFrame& frame = w.FaderFrame();
    frame.SetRect({0, 0, 1200, 400});  // the document window gives it room once it has faders
    EXPECT_EQ(UndefinedReads(frame, CFaderFrame::kResName, {{"faders", 3}}), Names{});
    EXPECT_EQ(PanesOutside(frame), Numbers{});
    CFaderList& list = frame.List();
    auto* cell = dynamic_cast<CFaderCell*>(list.PrototypeCell());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(UndefinedReads(*cell, CFaderCell::kResName), Names{});
    cell->SetRect({0, 0, list.CellWidth(), list.CellHeight()});
    for (uint32_t kind = 0; kind < CFaderList::kOutputKinds; ++kind) {
        cell->Panel().SetList(list.Definitions(kind));
        cell->Relayout();
        EXPECT_EQ(PanesOutside(*cell), Numbers{}) << "output kind " << kind;
        EXPECT_EQ(PanesOutside(cell->Panel()), Numbers{}) << "output kind " << kind;
    }
    cell->Panel().SetList(nullptr);
}

TEST_F(SpecWindowTest, EventWindowAndItsRowsFitAndKeepTheirMinimumSize)
{
    CSpecWindow& w = Make();
    w.ShowEventWindow();
    CEventWindow& events = *w.EventWindow();
    ASSERT_NE(events.Window(), nullptr);
    EXPECT_EQ(UndefinedReads(events, CEventWindow::kResName), Names{});
    EXPECT_EQ(PanesOutside(events), Numbers{});
    auto* cell = dynamic_cast<CEventCell*>(events.List().PrototypeCell());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(UndefinedReads(*cell, CEventCell::kResName), Names{});
    cell->SetRect({0, 0, events.List().CellWidth(), events.List().CellHeight()});
    cell->Relayout();
    EXPECT_EQ(PanesOutside(*cell), Numbers{});

    const CLRect before = events.Rect();
    fDriver.ResizeByUser(*events.Window()->Native(), 40, 40);
    EXPECT_GE(events.Rect().Width(), before.Width()) << "the layout's size is the least";
    EXPECT_GE(events.Rect().Height(), before.Height());
}


TEST_F(SpecWindowTest, AddedFadersGetRoomInANewDocumentsWindow)
{
    CSpecWindow& w = Make();
    for (int i = 0; i < 2; ++i) {
        Command("CAppCmd_AddFdr");
        EXPECT_GE(w.FaderFrame().Rect().Height(), w.FaderFrame().PreferredHeight()) << i;
    }
    EXPECT_EQ(w.FaderFrame().List().Rows(), 2);
}
