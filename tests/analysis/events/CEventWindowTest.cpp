// The event-text window of a document window: its buttons, time edits that keep the list in
// order, texts emitted to the live source by the emit button and by time while recording,
// and rows reordered by dragging them with the mouse.
#include "analysis/events/CEventCell.h"
#include "analysis/events/CEventWindow.h"
#include "analysis/events/EventList.h"
#include "analysis/records/CSnxSchema.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/controls/lists/ListDragKit.h"
#include "tests/support/LiveCell.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/PersonInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class EventWindow : public SpecWindowTest {
protected:
    EventWindow()
    {
        Make();
        source = &UseScripted();
        window->ShowEventWindow();
    }
    CEventWindow& Win() const { return *window->EventWindow(); }
    CEventList& List() const { return Win().List(); }
    LObject* Events() const { return window->Document().Root()->GetChild(kFdrsEvts); }
    // Puts texts at whole seconds, in order.
    void Put(std::initializer_list<std::pair<int, const char*>> events)
    {
        for (const auto& [time, text] : events) {
            LObjectPtr event = LObject::Create(CSnxSchema::EventClass());
            LObject::SetFloat(event.get(), nullptr, kEvtxTime, float(time), LObject::Merge::No);
            LObject::SetString(event.get(), nullptr, kEvtxText, LStringRef(text), LObject::Merge::No);
            ASSERT_TRUE(LObject::InsertChild(Events(), nullptr, kEvtsEvts, EventList::Count(Events()), std::move(event)));
        }
    }
    // The list as "text@seconds" items.
    std::string Order() const
    {
        std::string out;
        for (uint32_t i = 0; i < EventList::Count(Events()); ++i)
            out += std::string(EventList::At(Events(), i)->GetString(kEvtxText).View()) + "@" +
                   std::to_string(int(EventList::Time(Events(), i))) + " ";
        return out;
    }
    // The live row under the pointer, as a click there binds it.
    CEventCell& Row(int32_t row) { return LiveCellOf<CEventCell>(List(), {0, row}); }
    void Press(LStdCtl& button) { LMessage::Send(LMessage(LStdCtl::msgSelected, &button, button.Parent())); }
    void Check(bool on)
    {
        Win().TimedCheck().SetChecked(on);
        LMessage::Send(LMessage(LStdCheck::msgChange, &Win().TimedCheck(), &Win()));
    }
    void SetRecording(uint8_t on) { LObject::SetByte(record, nullptr, kWindRecording, on, LObject::Merge::No); }

    ScriptedSource* source = nullptr;
    ListDragKit drag{fDriver, clock};
    PersonInput person{fDriver, clock};
};

} // namespace

TEST_F(EventWindow, AddInsertsAfterTheSelectionWithItsTimeAndDeleteTakesTheSelection)
{
    Put({{1, "a"}, {5, "b"}, {9, "c"}});
    EXPECT_FALSE(Win().DeleteButton().IsEnabledAndShown()) << "nothing selected";
    Press(Win().AddButton());
    EXPECT_EQ(Order(), "a@1 b@5 c@9 @9 ") << "appended with the last time";
    EXPECT_TRUE(List().Selection().Equals(LRegion(CLRect{0, 3, 1, 4})));
    EXPECT_TRUE(Win().DeleteButton().IsEnabledAndShown());
    List().ApplySelection(LRegion(CLRect{0, 1, 1, 2}));
    Press(Win().AddButton());
    EXPECT_EQ(Order(), "a@1 b@5 @5 c@9 @9 ");
    List().ApplySelection(LRegion(CLRect{0, 2, 1, 5}));
    Press(Win().DeleteButton());
    EXPECT_EQ(Order(), "a@1 b@5 ");
    EXPECT_FALSE(Win().DeleteButton().IsEnabledAndShown());
    Command("LStdCmd_Undo");
    EXPECT_EQ(Order(), "a@1 b@5 @5 c@9 @9 ") << "one step brings the three back";
}

TEST_F(EventWindow, AnEditedTimeMovesItsRowPastItsNeighbours)
{
    struct Case {
        int32_t row;
        const char* typed;
        const char* order;
    };
    const Case cases[] = {
        {0, "00:00:25", "b@10 c@20 a@25 "},  // past two following events
        {2, "00:00:00", "c@0 a@5 b@10 "},
        {1, "00:00:07", "a@5 b@7 c@20 "},    // between its neighbours: stays
        {0, "00:01:00", "b@10 c@20 a@60 "},
    };
    Check(true);  // the time column shows
    Put({{5, "a"}, {10, "b"}, {20, "c"}});
    for (const Case& c : cases) {
        CTimecodeEdit& time = Row(c.row).Time();
        time.SetText(LStringRef(c.typed));
        LMessage::Send(LMessage(CNumVol::msgFix, &time, time.Parent()));
        EXPECT_EQ(Order(), c.order) << c.typed;
        Command("LStdCmd_Undo");
        EXPECT_EQ(Order(), "a@5 b@10 c@20 ") << "one step, " << c.typed;
    }
}

TEST_F(EventWindow, TheEmitButtonSendsItsRowTextAtAnyTime)
{
    Put({{30, "cue"}});
    Press(Row(0).EmitButton());
    Press(Row(0).EmitButton());
    EXPECT_EQ(source->recorded, (std::vector<std::string>{"cue", "cue"})) << "the same text twice is sent twice";
}

TEST_F(EventWindow, TextsAreEmittedByTimeOnlyWhileRecordingWithTheCheckBoxOn)
{
    Put({{0, "zero"}, {1, "one"}, {3, "three"}});
    struct Case {
        bool timed;
        uint8_t recording;
        std::vector<std::string> afterTwoSeconds;
    };
    const Case cases[] = {
        {true, 1, {"zero", "one"}},
        {false, 1, {}},
        {true, 0, {}},
    };
    for (const Case& c : cases) {
        source->recorded.clear();
        Check(c.timed);
        EXPECT_EQ(record->GetByte(kWindEvtr), c.timed ? 1 : 0) << "the check box sets the record";
        SetRecording(c.recording);
        for (int i = 0; i < 8; ++i)
            drag.Pass(CEventList::kPlaybackPeriodMs);
        EXPECT_EQ(source->recorded, c.afterTwoSeconds) << c.timed << " " << int(c.recording);
        SetRecording(0);
    }
    EXPECT_FALSE(List().PlaybackTimer().IsArmed()) << "no recording, no timer";
}

TEST_F(EventWindow, TheCheckBoxShowsAndHidesTheTimeColumn)
{
    Put({{1, "a"}});
    for (const bool on : {true, false, true}) {
        Check(on);
        EXPECT_EQ(Row(0).Time().IsShown(), on);
    }
}

TEST_F(EventWindow, DraggedRowsMoveAndTakeTheTimeOfTheirNewNeighbours)
{
    Put({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}});
    List().ApplySelection(LRegion(CLRect{0, 0, 1, 1}));
    drag.DragRow(List(), 0, 0, ListDragKit::DropAt(ListDragKit::Gap(List(), 3)));
    EXPECT_EQ(Order(), "b@2 c@3 a@3 d@4 ");
    EXPECT_TRUE(List().Selection().Equals(LRegion(CLRect{0, 2, 1, 3})));
    Command("LStdCmd_Undo");
    EXPECT_EQ(Order(), "a@1 b@2 c@3 d@4 ") << "one step";
    List().ApplySelection(LRegion(CLRect{0, 1, 1, 2}));
    drag.DragRow(List(), 1, 0, ListDragKit::DropAt(ListDragKit::Gap(List(), 2)));
    EXPECT_EQ(Order(), "a@1 b@2 c@3 d@4 ") << "just below itself: nothing";
}

TEST_F(EventWindow, ARowTakesTheTextTypedAfterAClickOrADoubleClickFromAnotherWindow)
{
    Put({{1, "a"}, {2, "b"}});
    struct Case {
        int32_t row;
        int clicks;
        const char* typed;
        const char* order;
    };
    const Case cases[] = {
        {0, 1, "xy", "axy@1 b@2 "},   // a click after the text puts the caret at its end
        {1, 1, "z", "axy@1 bz@2 "},   // another row, the selection moving with it
        {0, 2, "q", "axyq@1 bz@2 "},  // a double-click as well
    };
    // The person works in the document; the event-text window shows but is not key: the
    // first click on a row's text both brings it forward and puts the caret there.
    for (const Case& c : cases) {
        window->GetNativeWindow()->MakeKeyAndOrderFront();
        Win().GetNativeWindow()->OrderFront();
        LEditText& text = Row(c.row).Text();
        const CLRect r = text.Rect();
        const plat::Point at = ScreenPoint(text, {r.right - 3, (r.top + r.bottom) / 2});
        for (int i = 0; i < c.clicks; ++i)
            person.Click(at);
        person.Pass(400);  // past the hold that would start a drag
        person.Type(c.typed);
        EXPECT_EQ(Order(), c.order) << c.row << " " << c.clicks;
    }
}

TEST_F(EventWindow, ARowTakesTheTextWhenTheWindowManagerMakesItsWindowKeyDuringTheClick)
{
    Put({{1, "a"}});
    window->GetNativeWindow()->MakeKeyAndOrderFront();
    plat::Window* panel = Win().GetNativeWindow();
    panel->OrderFront();
    LEditText& text = Row(0).Text();
    const CLRect r = text.Rect();
    const plat::Point at = ScreenPoint(text, {r.left + 10, (r.top + r.bottom) / 2});
    fDriver.PostMouse(plat::EventType::LeftMouseDown, at);
    fDriver.DeliverAll();
    // The desktop's window manager gives the clicked window the focus while the button is down.
    panel->MakeKey();
    panel->MakeMain();
    person.Pass(PersonInput::kHoldMs);
    fDriver.PostMouse(plat::EventType::LeftMouseUp, at);
    fDriver.DeliverAll();
    person.Pass(400);
    person.Type("b");
    EXPECT_EQ(Order(), "ab@1 ");
}

TEST_F(EventWindow, TheFirstRowAddedToAnEmptyListIsAsWideAsTheListAndTakesTyping)
{
    Win().GetNativeWindow()->MakeKeyAndOrderFront();
    person.Click(CentreOf(Win().AddButton()));
    ASSERT_EQ(List().Rows(), 1);
    EXPECT_EQ(List().CellWidth(), int32_t(List().Rect().Width())) << "a wider row hides its text under the scroll bar";
    LEditText& text = Row(0).Text();
    const CLRect r = text.Rect();
    EXPECT_LE(r.right, List().CellWidth());
    const CLRect cell = List().CellRect({0, 0});
    person.Click(ScreenPoint(List(), {cell.left + r.left + 10, cell.top + (r.top + r.bottom) / 2}));
    person.Pass(400);
    person.Type("cue");
    EXPECT_EQ(Order(), "cue@0 ");
}
