// Rows of the fader editor dragged with the mouse as the window model plays it: a press held
// on a row, a move that starts the drag, and the drag carried by the user's pointer or a
// scripted session to a gap of a list and dropped there, cancelled, or cut short by a closing
// window.
#include "platform/cursors/Cursor.h"
#include "shell/mainloop/CMainLoopBase.h"
#include "shell/windows/CNativeWindowKind.h"
#include "tests/controls/lists/ListDragKit.h"
#include "tests/outputs/ConsoleTestKit.h"
#include "tests/outputs/FaderDocumentKit.h"
#include "tests/support/PersonInput.h"
#include "tests/support/TempHome.h"

#include <string>
#include <vector>

namespace {

class EditorDrag : public ConsoleFixture {
protected:
    std::unique_ptr<FaderDocument> Open(const CLRect& content)
    {
        return std::make_unique<FaderDocument>(content, static_cast<const CNativeWindowKind*>(fDocKind.Get()));
    }
    static bool UndoIn(FaderDocument& doc)
    {
        struct Item : LMenuItem {
            Item() : LMenuItem(nullptr) { AddCommand("LStdCmd_Undo"); }
        } item;
        return doc.undo.queue.HandleMessage(LMessage("LMenuItem_Selected", &item, nullptr));
    }
    void DragRow(LListPane& list, int32_t row, uint32_t holdMs, CDragger::DragRunner play)
    {
        fDrag.DragRow(list, row, holdMs, std::move(play));
    }
    static plat::Point Gap(const LListPane& list, int32_t row) { return ListDragKit::Gap(list, row); }
    static CDragger::DragRunner DropAt(plat::Point to) { return ListDragKit::DropAt(to); }

    TempHome fHome;
    plat::ScopedVirtualClock fClock{5000};
    ListDragKit fDrag{fDriver, fClock};
    LRef fDocKind{new CNativeWindowKind(9)};
};

} // namespace

TEST_F(EditorDrag, SelectedFadersMoveToTheGapInOneUndoStep)
{
    struct Case {
        std::initializer_list<int32_t> selected;
        int32_t gap;
        const char* order;
        LRegion selectedAfter;
    };
    const Case cases[] = {
        {{0}, 3, "BCAD", RowSet({2})},
        {{3}, 0, "DABC", RowSet({0})},
        {{0, 2}, 4, "BDAC", RowSet({2, 3})},
        {{0, 2}, 1, "ACBD", RowSet({0, 1})},  // several rows: just below the first still moves
        {{1}, 1, "ABCD", RowSet({1})},  // onto its own place
        {{1}, 2, "ABCD", RowSet({1})},  // just below itself
    };
    auto doc = Open({20, 40, 1400, 640});
    doc->Add("ABCD");
    for (const Case& c : cases) {
        doc->List().ApplySelection(RowSet(c.selected));
        DragRow(doc->List(), *c.selected.begin(), 0, DropAt(Gap(doc->List(), c.gap)));
        EXPECT_EQ(doc->Names(), c.order) << "gap " << c.gap;
        EXPECT_TRUE(doc->List().Selection().Equals(c.selectedAfter)) << "gap " << c.gap;
        EXPECT_EQ(doc->List().DragHelper().Dragger(), nullptr) << "the drag ended with its dragger";
        if (std::string(c.order) != "ABCD") {
            ASSERT_TRUE(UndoIn(*doc));
            EXPECT_EQ(doc->Names(), "ABCD") << "one step takes the move back, gap " << c.gap;
        }
    }
}

TEST_F(EditorDrag, AnUnselectedRowDragsOnlyAfterTheHold)
{
    auto doc = Open({20, 40, 1400, 640});
    doc->Add("ABC");
    const plat::Point end = Gap(doc->List(), 3);
    DragRow(doc->List(), 0, CListDragDropHelper::kHoldMs - 100, DropAt(end));
    EXPECT_EQ(doc->Names(), "ABC") << "a quick move selects";
    EXPECT_TRUE(doc->List().Selection().Equals(RowSet({0})));
    doc->List().ClearSelection();
    DragRow(doc->List(), 0, CListDragDropHelper::kHoldMs + 1, DropAt(end));
    EXPECT_EQ(doc->Names(), "BCA");
}

TEST_F(EditorDrag, AClickOnOneRowOfTheSelectionSelectsItAloneAndEndsItsDragger)
{
    auto doc = Open({20, 40, 1400, 640});
    doc->Add("ABCD");
    PersonInput person(fDriver, fClock);
    for (const int32_t row : {1, 3}) {
        doc->List().ApplySelection(RowSet({0, 1, 3}));
        doc->List().GetNativeWindow()->MakeKeyAndOrderFront();
        const CLRect cell = doc->List().CellRect({0, row});
        person.Click(ListDragKit::Screen(doc->List(), {cell.left + 2, cell.top + 2}));
        EXPECT_TRUE(doc->List().Selection().Equals(RowSet({row}))) << row;
        // The end of the click went on to the dragger, which deleted itself (once: the
        // sanitizer build would see a second time, or none).
        EXPECT_EQ(doc->List().DragHelper().Dragger(), nullptr) << row;
        EXPECT_EQ(doc->Names(), "ABCD");
    }
}

TEST_F(EditorDrag, FadersDroppedOnAnotherDocumentAreCopiedAndSelectedThere)
{
    auto source = Open({20, 40, 1400, 440});
    auto target = Open({20, 470, 1400, 870});
    source->Add("ABC");
    target->Add("XY");
    LObject::SetByte(source->record.Fader(1), nullptr, kFadrFtyp, 9, LObject::Merge::No);
    source->List().ApplySelection(RowSet({1, 2}));
    // Through the target's last gap to the one between its rows, as the user's pointer goes.
    fDrag.DragRowThrough(source->List(), 1, {Gap(target->List(), 2), Gap(target->List(), 1)}, ListDragKit::End::Drop);
    EXPECT_EQ(source->Names(), "ABC") << "a copy leaves the source";
    EXPECT_EQ(target->Names(), "XBCY");
    EXPECT_EQ(target->record.Fader(1)->GetByte(kFadrFtyp), 9);
    EXPECT_TRUE(target->List().Selection().Equals(RowSet({1, 2})));
    ASSERT_TRUE(UndoIn(*target));
    EXPECT_EQ(target->Names(), "XY") << "the copies go in one step";
}

// The source or the target window closes while the drag runs: the drop does nothing, and the
// dragger is deleted exactly once.
TEST_F(EditorDrag, AWindowClosingMidDragLeavesTheOtherUntouched)
{
    for (const bool closeSource : {true, false}) {
        auto source = Open({20, 40, 1400, 440});
        auto target = Open({20, 470, 1400, 870});
        source->Add("AB");
        target->Add("X");
        const plat::Point to = Gap(target->List(), 1);
        source->List().ApplySelection(RowSet({0}));
        DragRow(source->List(), 0, 0, [&](plat::DragSession& session) {
            session.MoveTo(to);
            (closeSource ? source : target).reset();
            session.MoveTo(to);
            return session.Drop();
        });
        EXPECT_EQ(source ? source->Names() : "AB", "AB");
        EXPECT_EQ(target ? target->Names() : "X", "X");
    }
}

// Where no window takes the drop the cursor says "not allowed", over another document's list
// it shows the copy; Escape there ends the drag without a change and gives the cursor back.
TEST_F(EditorDrag, EscapeCancelsAndTheCursorShowsWhetherTheDropIsTaken)
{
    auto source = Open({20, 40, 1400, 440});
    auto target = Open({20, 470, 1400, 870});
    source->Add("AB");
    target->Add("XY");
    source->List().ApplySelection(RowSet({0}));
    const plat::Ref<plat::Cursor> before = plat::Cursor::Current();
    std::vector<plat::CursorShape> shown;
    const plat::Point outside{1430, 600};
    fDrag.DragRowThrough(source->List(), 0, {outside, Gap(target->List(), 1)}, ListDragKit::End::Escape,
                         [&](size_t) { shown.push_back(plat::Cursor::Current()->Shape()); });
    EXPECT_EQ(shown, (std::vector{plat::CursorShape::NotAllowed, plat::CursorShape::DragCopy}));
    EXPECT_EQ(plat::Cursor::Current().Get(), before.Get());
    EXPECT_EQ(target->Names(), "XY");
    EXPECT_EQ(source->Names(), "AB");
    EXPECT_FALSE(target->List().DragHelper().IndicatorActive());
    EXPECT_EQ(source->List().DragHelper().Dragger(), nullptr);
    EXPECT_FALSE(source->List().DragHelper().IsDragFromThisList());
}
