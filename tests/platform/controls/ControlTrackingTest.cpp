#include "platform/Clock.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plat;

namespace {

// Controls under a person's hand on the virtual clock: a key window at the screen's
// bottom-left holding one control view, a timer of the program's that ticks every 10 ms in
// the common modes, and the driver's gestures. Content points are given top-down.
class ControlTrackingTest : public ::testing::Test {
protected:
    void SetUp() override { fTick.FireAfter(kTickMs); }

    template <class T>
    T& Show(std::unique_ptr<T> control, const Rect& frameTopDown, const Rect& window = Rect{100, 100, 300, 200})
    {
        T& model = *control;
        if (fWindow)
            fWindow->OrderOut();
        fHeight = window.height;
        fWindow = Window::Make(window, kStyleTitled | kStyleClosable);
        const Rect frame{frameTopDown.x, fHeight - frameTopDown.y - frameTopDown.height, frameTopDown.width,
                         frameTopDown.height};
        fView = ControlView::Make(frame, std::move(control));
        fWindow->ContentView()->AddSubview(fView.Get());
        fWindow->MakeKeyAndOrderFront();
        model.SetAction([this] { ++fActions; });
        return model;
    }
    Point Screen(double x, double y) const { return fWindow->ConvertBaseToScreen(Point{x, fHeight - y}); }

    static constexpr uint64_t kTickMs = 10;
    ScopedVirtualClock fClock{1000};
    WindowTestDriver fDriver;
    int fTicks = 0;
    int fTicksAtStart = 0;
    RunLoopTimer fTick{RunLoop::Current(), [this] { ++fTicks; fTick.FireAfter(kTickMs); }};
    double fHeight = 200;
    Ref<Window> fWindow;
    Ref<ControlView> fView;
    int fActions = 0;
};

constexpr uint64_t kHolds[] = {5, 120, 250};

std::unique_ptr<PopUpButton> MakePopUp(const std::vector<std::string>& titles, int selected)
{
    auto popup = std::make_unique<PopUpButton>();
    for (const std::string& title : titles) {
        if (title == "-")
            popup->InsertSeparator(popup->ItemCount());
        else
            popup->InsertItem(title, popup->ItemCount());
    }
    popup->SelectItem(selected);
    return popup;
}

} // namespace

TEST_F(ControlTrackingTest, PushButtonActsOnceForAClickOfAnyHoldWhileTimersRun)
{
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        fActions = 0;
        Button& button = Show(std::make_unique<Button>(), Rect{20, 20, 80, 24});
        fDriver.PlanPress(0, Screen(40, 30));
        fDriver.PlanStep(hold / 2 + 1, [&] { EXPECT_TRUE(button.IsHighlighted()); fTicksAtStart = fTicks; });
        fDriver.PlanRelease(hold - hold / 2 - 1, Screen(40, 30));
        fDriver.Play();
        EXPECT_EQ(fActions, 1);
        EXPECT_FALSE(button.IsTracking());
        EXPECT_FALSE(button.IsHighlighted());
        if (hold >= 120) {
            EXPECT_GE(fTicks - fTicksAtStart, int(hold / 2 / kTickMs) - 1); // the timer fired meanwhile
        }
    }
}

TEST_F(ControlTrackingTest, PushButtonReleasedOutsideDoesNothing)
{
    Button& button = Show(std::make_unique<Button>(), Rect{20, 20, 80, 24});
    fDriver.Drag(Screen(40, 30), {}, Screen(150, 120));
    EXPECT_EQ(fActions, 0);
    EXPECT_FALSE(button.IsTracking());
}

TEST_F(ControlTrackingTest, CheckBoxAndRadioButtonTakeTheirStateOnEachClick)
{
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        Button& check = Show(std::make_unique<Button>(Button::Kind::Switch), Rect{20, 20, 120, 18});
        fActions = 0;
        fDriver.Click(Screen(25, 29), 0, hold);
        EXPECT_EQ(check.State(), 1);
        fDriver.Click(Screen(25, 29), 0, hold);
        EXPECT_EQ(check.State(), 0);
        EXPECT_EQ(fActions, 2);
        Button& radio = Show(std::make_unique<Button>(Button::Kind::Radio), Rect{20, 60, 120, 18});
        fDriver.Click(Screen(25, 69), 0, hold);
        fDriver.Click(Screen(25, 69), 0, hold);
        EXPECT_EQ(radio.State(), 1);
    }
}

TEST_F(ControlTrackingTest, AMoveWithNoButtonHeldEndsTheTrackingWithoutAction)
{
    Button& button = Show(std::make_unique<Button>(), Rect{20, 20, 80, 24});
    fDriver.PlanPress(0, Screen(40, 30));
    fDriver.PlanMove(120, Screen(40, 30)); // the release was lost
    fDriver.Play();
    EXPECT_FALSE(button.IsTracking());
    EXPECT_FALSE(button.IsHighlighted());
    EXPECT_EQ(fActions, 0);
}

TEST_F(ControlTrackingTest, SliderKnobFollowsADragAndTheReleaseReportsTheEnd)
{
    auto made = std::make_unique<Slider>();
    made->SetMaxValue(100);
    Slider& slider = Show(std::move(made), Rect{10, 10, 116, 20});
    std::vector<int> seen;
    slider.SetAction([&] { seen.push_back(slider.IntValue()); });
    fDriver.Drag(Screen(18, 20), {Screen(43, 20)}, Screen(68, 20));
    // Knob centres from 8 to 108: every motion event of at most 10 px moved the value.
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen.back(), 50);
    for (size_t i = 1; i + 1 < seen.size(); ++i)
        EXPECT_LE(seen[i] - seen[i - 1], 10);
    EXPECT_FALSE(slider.IsTracking());
}

TEST_F(ControlTrackingTest, SliderTrackClickMovesTheKnobThereForEveryHold)
{
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        auto made = std::make_unique<Slider>();
        made->SetMaxValue(100);
        Slider& slider = Show(std::move(made), Rect{10, 10, 116, 20});
        fDriver.Click(Screen(93, 20), 0, hold);
        EXPECT_EQ(slider.IntValue(), 75);
        EXPECT_FALSE(slider.IsTracking());
    }
}

TEST_F(ControlTrackingTest, SliderDragMeasuresTimerTicksWhileHeld)
{
    auto made = std::make_unique<Slider>();
    made->SetMaxValue(100);
    Slider& slider = Show(std::move(made), Rect{10, 10, 116, 20});
    int ticksInDrag = -1;
    fDriver.PlanPress(0, Screen(18, 20));
    fDriver.PlanStep(1, [&] { fTicksAtStart = fTicks; });
    fDriver.PlanDragTo(200, Screen(118, 20));
    fDriver.PlanStep(1, [&] { ticksInDrag = fTicks - fTicksAtStart; EXPECT_TRUE(slider.IsTracking()); });
    fDriver.PlanRelease(50, Screen(118, 20));
    fDriver.Play();
    EXPECT_GE(ticksInDrag, 19);
    EXPECT_EQ(slider.IntValue(), 100);
}

TEST_F(ControlTrackingTest, ScrollerKnobDragAndArrowClicks)
{
    auto made = std::make_unique<Scroller>();
    made->SetEnabled(true);
    Scroller& bar = Show(std::move(made), Rect{20, 10, 16, 180});
    bar.SetValueAndProportion(0, 0.25);
    // Slot 16..164 (148 px), knob 37 px: a knob drag of 37 px moves a third of the travel.
    fDriver.Drag(Screen(28, 30), {}, Screen(28, 67));
    EXPECT_NEAR(bar.Value(), 37.0 / 111.0, 0.01);
    EXPECT_EQ(bar.HitPart(), Scroller::Part::Knob);
    for (uint64_t hold : kHolds) {
        fActions = 0;
        fDriver.Click(Screen(28, 185), 0, hold);
        EXPECT_EQ(bar.HitPart(), Scroller::Part::IncrementLine);
        EXPECT_EQ(fActions, 1);
        EXPECT_FALSE(bar.IsTracking());
    }
}

TEST_F(ControlTrackingTest, ScrollerArrowsAndPageAreasRepeatWhileHeldAndStopOnRelease)
{
    // The bar 16 x 180 at (20, 10): arrows at 10..26 and 174..190; slot 148 px, knob 37 px.
    // The action moves the value as the bar's owner does: one step per action.
    struct Case {
        const char* what;
        double y;        // where the press is, content top-down
        double start;    // the value before the press
        double step;     // what one action moves
        uint64_t hold;
        int actions;     // while held, and still after the release
        double value;
    };
    const Case cases[] = {
        {"down arrow clicked", 185, 0.0, 0.01, 120, 1, 0.01},
        {"down arrow held just under the delay", 185, 0.0, 0.01, 390, 1, 0.01},
        // Acts at the press, at 400 ms, then every 50 ms up to 1010 ms.
        {"down arrow held 1 s", 185, 0.0, 0.01, 1010, 14, 0.14},
        {"up arrow held 1 s", 15, 1.0, -0.01, 1010, 14, 0.86},
        {"down arrow held 1 s stops at the end", 185, 0.9, 0.04, 1010, 3, 1.0},
        {"up arrow held 1 s stops at the start", 15, 0.05, -0.02, 1010, 3, 0.0},
        // The knob (16 + 111 v .. 53 + 111 v) comes under the pointer at 100 once v passes 0.42.
        {"page area held 1 s stops under the pointer", 110, 0.0, 0.1, 1010, 5, 0.5},
        {"page area clicked", 110, 0.0, 0.1, 120, 1, 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto made = std::make_unique<Scroller>();
        made->SetEnabled(true);
        Scroller& bar = Show(std::move(made), Rect{20, 10, 16, 180});
        bar.SetValueAndProportion(c.start, 0.25);
        int actions = 0;
        bar.SetAction([&] {
            ++actions;
            bar.SetValue(bar.Value() + c.step);
        });
        fDriver.PlanPress(0, Screen(28, c.y));
        fDriver.PlanStep(c.hold / 2, [&] { fTicksAtStart = fTicks; });
        fDriver.PlanRelease(c.hold - c.hold / 2, Screen(28, c.y));
        fDriver.Play();
        EXPECT_EQ(actions, c.actions);
        EXPECT_NEAR(bar.Value(), c.value, 1e-9);
        EXPECT_GE(fTicks - fTicksAtStart, int(c.hold / 2 / kTickMs) - 1); // the program's timer ran too
        fDriver.Wait(1000);
        EXPECT_EQ(actions, c.actions) << "the release stops the repeat";
        EXPECT_FALSE(bar.IsTracking());
    }
}

TEST_F(ControlTrackingTest, AHeldArrowWaitsWhileThePointerIsOffIt)
{
    auto made = std::make_unique<Scroller>();
    made->SetEnabled(true);
    Scroller& bar = Show(std::move(made), Rect{20, 10, 16, 180});
    bar.SetValueAndProportion(0, 0.25);
    int actions = 0;
    bar.SetAction([&] { ++actions; bar.SetValue(bar.Value() + 0.01); });
    int offAt = 0;
    fDriver.PlanPress(0, Screen(28, 185));
    fDriver.PlanDragTo(300, Screen(60, 185)); // off the bar before the repeat starts
    fDriver.PlanStep(500, [&] { offAt = actions; });
    fDriver.PlanDragTo(0, Screen(28, 185)); // back on the arrow
    fDriver.PlanRelease(200, Screen(28, 185));
    fDriver.Play();
    EXPECT_EQ(offAt, 1);
    EXPECT_GE(actions, 4); // acting again once the pointer came back
    EXPECT_LE(actions, 6);
}

TEST_F(ControlTrackingTest, PopUpQuickClickLeavesTheListOpenAndASecondClickChooses)
{
    for (uint64_t hold : kHolds) {
        SCOPED_TRACE(hold);
        fActions = 0;
        PopUpButton& popup = Show(MakePopUp({"a", "b", "c", "d"}, 1), Rect{20, 60, 100, 20});
        fDriver.PlanClick(Screen(40, 70), 0, hold);
        fDriver.PlanStep(100, [&] {
            EXPECT_TRUE(popup.IsMenuOpen());
            EXPECT_EQ(fDriver.OnScreen().size(), 2u);
            fTicksAtStart = fTicks;
        });
        fDriver.PlanClick(Screen(40, 110)); // two rows below the selected one
        fDriver.Play();
        EXPECT_GE(fTicks - fTicksAtStart, 10);
        EXPECT_FALSE(popup.IsMenuOpen());
        EXPECT_EQ(popup.SelectedIndex(), 3);
        EXPECT_EQ(fActions, 1);
        EXPECT_EQ(fDriver.OnScreen().size(), 1u);
    }
}

TEST_F(ControlTrackingTest, PopUpPressDragReleaseChoosesTheItemUnderTheRelease)
{
    PopUpButton& popup = Show(MakePopUp({"a", "b", "c", "d"}, 1), Rect{20, 60, 100, 20});
    fDriver.Drag(Screen(40, 70), {}, Screen(40, 50));
    EXPECT_FALSE(popup.IsMenuOpen());
    EXPECT_EQ(popup.SelectedIndex(), 0);
    EXPECT_EQ(fActions, 1);
    // Dragged off the list: closed without a choice.
    fDriver.Drag(Screen(40, 70), {}, Screen(250, 70));
    EXPECT_FALSE(popup.IsMenuOpen());
    EXPECT_EQ(popup.SelectedIndex(), 0);
    EXPECT_EQ(fActions, 1);
}

TEST_F(ControlTrackingTest, PopUpKeysMoveOverSeparatorsAndReturnChooses)
{
    PopUpButton& popup = Show(MakePopUp({"a", "b", "-", "c", "d"}, 0), Rect{20, 60, 100, 20});
    // The open list holds the press's delivery until it closes: the whole gesture is planned.
    fDriver.PlanClick(Screen(40, 70));
    fDriver.PlanStep(10, [&] { EXPECT_TRUE(popup.IsMenuOpen()); });
    fDriver.PlanKey("\xEF\x9C\x81", 125); // down
    fDriver.PlanKey("\xEF\x9C\x81", 125); // down over the separator
    fDriver.PlanStep(0, [&] { EXPECT_EQ(popup.HighlightedRow(), 3); });
    fDriver.PlanKey("\xEF\x9C\x80", 126); // up
    fDriver.PlanKey("\xEF\x9C\x81", 125);
    fDriver.PlanKey("\r", 36);
    fDriver.Play();
    EXPECT_FALSE(popup.IsMenuOpen());
    EXPECT_EQ(popup.SelectedIndex(), 3);
    EXPECT_EQ(fActions, 1);
}

TEST_F(ControlTrackingTest, PopUpEscapeAndAClickOutsideCloseWithoutAChoice)
{
    PopUpButton& popup = Show(MakePopUp({"a", "b", "c"}, 1), Rect{20, 60, 100, 20});
    fDriver.PlanClick(Screen(40, 70));
    fDriver.PlanStep(10, [&] { EXPECT_TRUE(popup.IsMenuOpen()); });
    fDriver.PlanKey("\x1b", 53);
    fDriver.Play();
    EXPECT_FALSE(popup.IsMenuOpen());
    fDriver.PlanClick(Screen(40, 70));
    fDriver.PlanStep(10, [&] { EXPECT_TRUE(popup.IsMenuOpen()); });
    fDriver.PlanClick(Screen(250, 150));
    fDriver.Play();
    EXPECT_FALSE(popup.IsMenuOpen());
    EXPECT_EQ(fDriver.OnScreen().size(), 1u);
    EXPECT_EQ(popup.SelectedIndex(), 1);
    EXPECT_EQ(fActions, 0);
}

TEST_F(ControlTrackingTest, PopUpTypingSelectsByTitleAndTheWheelMovesTheHighlight)
{
    PopUpButton& popup = Show(MakePopUp({"DMX", "MIDI", "OSC", "Sound"}, 0), Rect{20, 60, 100, 20});
    fDriver.PlanClick(Screen(40, 70));
    fDriver.PlanKey("o", 31);
    fDriver.PlanStep(0, [&] { EXPECT_EQ(popup.HighlightedRow(), 2); });
    fDriver.PlanKey("m", 46); // "om" matches nothing: the highlight stays
    fDriver.PlanStep(0, [&] { EXPECT_EQ(popup.HighlightedRow(), 2); });
    fDriver.PlanStep(PopUpButton::kTypeSelectMs, [] {});
    fDriver.PlanKey("s", 1);
    fDriver.PlanStep(0, [&] { EXPECT_EQ(popup.HighlightedRow(), 3); });
    fDriver.PlanWheel(0, Screen(40, 70), 0, 1); // a notch up
    fDriver.PlanStep(20, [&] { EXPECT_EQ(popup.HighlightedRow(), 2); });
    fDriver.PlanKey("\r", 36);
    fDriver.Play();
    EXPECT_EQ(popup.SelectedIndex(), 2);
    EXPECT_EQ(fActions, 1);
}

TEST_F(ControlTrackingTest, PopUpListNearTheScreenBottomStaysOnTheScreen)
{
    // The window's content touches the screen's bottom edge; the last item is selected, and
    // the list is wider than the room left at the right edge.
    const Rect visible = Screens::Main().visibleFrame;
    PopUpButton& popup = Show(MakePopUp({"a", "b", "c", "d", "e"}, 0), Rect{220, 170, 80, 20},
                              Rect{visible.x + visible.width - 290, visible.y, 300, 200});
    fDriver.PlanClick(Screen(240, 180));
    fDriver.PlanStep(10, [&] {
        const std::vector<uint32_t> shown = fDriver.OnScreen();
        ASSERT_EQ(shown.size(), 2u);
        const Rect list = WindowServer::Shared().WithNumber(shown.front())->Frame();
        EXPECT_EQ(list.height, 100);
        EXPECT_GE(list.y, visible.y);
        EXPECT_LE(list.x + list.width, visible.x + visible.width);
    });
    // The list rose by four rows: the button's place now shows the last item.
    fDriver.PlanClick(Screen(240, 180));
    fDriver.Play();
    EXPECT_EQ(popup.SelectedIndex(), 4);
}

TEST_F(ControlTrackingTest, PopUpListLongerThanTheScreenScrollsWithKeysAndWheel)
{
    std::vector<std::string> titles;
    for (int i = 0; i < 60; ++i)
        titles.push_back("item " + std::to_string(i));
    PopUpButton& popup = Show(MakePopUp(titles, 0), Rect{20, 60, 100, 20});
    const Rect visible = Screens::Main().visibleFrame;
    fDriver.PlanClick(Screen(40, 70));
    fDriver.PlanStep(10, [&] {
        ASSERT_TRUE(popup.IsMenuOpen());
        const Rect list = WindowServer::Shared().WithNumber(fDriver.OnScreen().front())->Frame();
        EXPECT_EQ(list.y, visible.y);
        EXPECT_EQ(list.height, visible.height);
        EXPECT_TRUE(popup.MenuScrolls());
    });
    // End goes to the last item and scrolls it into view.
    fDriver.PlanKey("\xEF\x9C\xAB", 119);
    double before = 0;
    fDriver.PlanStep(0, [&] {
        EXPECT_EQ(popup.HighlightedRow(), 59);
        const Rect shown = popup.MenuVisibleRect();
        EXPECT_LE(popup.RowTop(59) + popup.RowHeight(), shown.y + shown.height);
        before = popup.RowTop(0);
    });
    // The wheel scrolls back three rows.
    fDriver.PlanWheel(0, Screen(40, 70), 0, 3);
    fDriver.PlanStep(20, [&] { EXPECT_EQ(popup.RowTop(0), before + 3 * popup.RowHeight()); });
    fDriver.PlanKey("\r", 36);
    fDriver.Play();
    EXPECT_EQ(popup.SelectedIndex(), 59);
}
