// The standard controls as a person uses them: a press held 5, 120 or 250 ms with the run loop
// turning, drags in small steps, keys held and paused; the program's timers go on meanwhile.
#include "ControlHost.h"
#include "controls/std/CSlider.h"
#include "controls/std/LPopupList.h"
#include "controls/std/LScrollBar.h"
#include "controls/std/LStdButton.h"
#include "controls/std/LStdCheck.h"
#include "platform/controls/Scroller.h"
#include "platform/runloop/RunLoopTimer.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kHolds[] = {5, 120, 250};
constexpr uint64_t kTickMs = 10;

LStdCtlDesc NewDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(0));
    return desc;
}

// A list of output kinds, one selected, shown 100 x 20 at (10, 40) of the host.
void FillOutputs(LPopupList& list, int32_t selected)
{
    for (const char* item : {"off", "DMX", "MIDI", "OSC"})
        list.AddItem(item);
    list.SetSelection(selected);
    Activate(list, CLRect{10, 40, 110, 60});
}

// The host with a timer of the program's that ticks every 10 ms in the common modes.
class ControlsUnderAPerson : public ::testing::Test {
protected:
    void SetUp() override { fTick.FireAfter(kTickMs); }
    // Ticks of the timer while the gesture's press was delivered: the control tracked meanwhile.
    int TicksDuring(const std::function<void()>& gesture)
    {
        const int before = fTicks;
        gesture();
        return fTicks - before;
    }

    ControlHost host;
    int fTicks = 0;
    plat::RunLoopTimer fTick{plat::RunLoop::Current(), [this] { ++fTicks; fTick.FireAfter(kTickMs); }};
};

} // namespace

TEST_F(ControlsUnderAPerson, PushButtonSendsOneSelectionPerClickAndTimersRunWhileHeld)
{
    LStdButton button(&host, NewDesc());
    Activate(button, CLRect{10, 10, 90, 30});
    int clicks = 0;
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        const int ticks = TicksDuring([&] { host.Press(button, 40, 20, {}, true, hold); });
        EXPECT_EQ(host.Count(LStdCtl::msgSelected), ++clicks);
        EXPECT_GE(ticks, int(hold / kTickMs) - 1);
        EXPECT_FALSE(button.NativeControl()->IsTracking());
    }
    // Pressed, then dragged off and released outside: no selection.
    host.Press(button, 40, 20, {{40, 80}});
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), clicks);
}

TEST_F(ControlsUnderAPerson, CheckBoxTogglesOnEveryClickOfAnyHold)
{
    LStdCheck check(&host, NewDesc());
    Activate(check, CLRect{10, 10, 120, 30});
    bool expected = false;
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        host.Press(check, 15, 20, {}, true, hold);
        expected = !expected;
        EXPECT_EQ(check.IsChecked(), expected);
    }
    EXPECT_EQ(host.Count(LStdCheck::msgChange), 3);
}

TEST_F(ControlsUnderAPerson, PopupListChoosesByAQuickClickThenAClickOnTheItem)
{
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        LPopupList list(&host, NewDesc(), 0);
        FillOutputs(list, 0);
        const int changed = host.Count(LPopupList::msgChanged);
        int ticks = 0;
        host.PlanGesture(20, 50, {}, true, hold);
        host.driver.PlanStep(50, [&] { ticks = fTicks; });
        host.driver.PlanClick(host.Screen(20, 110)); // three rows down: "OSC"
        host.driver.PlanStep(0, [&] { ticks = fTicks - ticks; });
        host.SendPress(list, 20, 50);
        EXPECT_EQ(list.GetSelection(), 3);
        EXPECT_EQ(host.Count(LPopupList::msgChanged), changed + 1);
        EXPECT_GE(ticks, 10); // the list stayed open with the timer running
    }
}

TEST_F(ControlsUnderAPerson, PopupListChoosesWithTheKeyboardOnceOpen)
{
    LPopupList list(&host, NewDesc(), 0);
    FillOutputs(list, 0);
    host.PlanGesture(20, 50, {});
    host.driver.PlanKey("\xEF\x9C\x81", 125); // down
    host.driver.PlanKey("\xEF\x9C\x81", 125);
    host.driver.PlanKey("\r", 36);
    host.SendPress(list, 20, 50);
    EXPECT_EQ(list.GetSelection(), 2);
    EXPECT_EQ(host.Count(LPopupList::msgChanged), 1);
    // Typing the start of a title, then Return; Escape leaves the choice as it was.
    host.PlanGesture(20, 50, {});
    host.driver.PlanKey("o", 31);
    host.driver.PlanKey("s", 1);
    host.driver.PlanKey("\r", 36);
    host.SendPress(list, 20, 50);
    EXPECT_EQ(list.GetSelection(), 3);
    host.PlanGesture(20, 50, {});
    host.driver.PlanKey("d", 2);
    host.driver.PlanKey("\x1b", 53);
    host.SendPress(list, 20, 50);
    EXPECT_EQ(list.GetSelection(), 3);
    EXPECT_EQ(host.Count(LPopupList::msgChanged), 2);
}

TEST_F(ControlsUnderAPerson, PopupListPressDragReleaseChoosesAtTheRelease)
{
    LPopupList list(&host, NewDesc(), 0);
    FillOutputs(list, 1);
    host.Press(list, 20, 50, {{20, 70}, {20, 90}}); // two rows down: "OSC"
    EXPECT_EQ(list.GetSelection(), 3);
    EXPECT_EQ(host.Count(LPopupList::msgChanged), 1);
}

TEST_F(ControlsUnderAPerson, SliderDragReportsEveryStepAndItsEnd)
{
    CSlider slider(&host);
    slider.SetRange(0, 100);
    Activate(slider, CLRect{10, 10, 126, 30});
    const int ticks = TicksDuring([&] { host.Press(slider, 18, 20, {{118, 20}, {68, 20}}); });
    EXPECT_EQ(host.Count(CSlider::msgClick), 1);
    EXPECT_GE(host.Count(CSlider::msgChange), 15); // 150 px in steps of at most 10 px
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), 1);
    EXPECT_EQ(slider.GetValue(), 50);
    EXPECT_GE(ticks, 25);
}

TEST_F(ControlsUnderAPerson, SliderTrackClickOfAnyHoldMovesTheKnobThere)
{
    CSlider slider(&host);
    slider.SetRange(0, 100);
    Activate(slider, CLRect{10, 10, 126, 30});
    int selected = 0;
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        slider.SetValue(0);
        host.Press(slider, 93, 20, {}, true, hold);
        EXPECT_EQ(slider.GetValue(), 75);
        EXPECT_EQ(host.Count(LStdCtl::msgSelected), ++selected);
    }
}

TEST_F(ControlsUnderAPerson, ScrollBarArrowAndKnob)
{
    LScrollBar bar(&host, LScrollBar::kVertical, true);
    bar.SetRange(5, 0, 100, 10);
    Activate(bar, CLRect{100, 0, 116, 200});
    int value = 5;
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        host.Press(bar, 108, 195, {}, true, hold); // the increment arrow
        EXPECT_EQ(bar.GetValue(), ++value);
    }
    EXPECT_EQ(host.Count(LScrollBar::msgDw), 3);
    // The knob dragged to the end of the slot.
    auto* scroller = dynamic_cast<plat::Scroller*>(bar.NativeControl());
    const double knob = scroller->KnobStart() + scroller->KnobLength() / 2;
    host.Press(bar, 108, knob, {{108, 190}});
    EXPECT_EQ(bar.GetValue(), 100);
    EXPECT_GE(host.Count(LScrollBar::msgChange), 4);
}
