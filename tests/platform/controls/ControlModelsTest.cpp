#include "platform/controls/Button.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts the actions of a control.
struct ActionCount {
    int count = 0;
    void Attach(plat::Control& control) { control.SetAction([this] { ++count; }); }
};

} // namespace

TEST(PlatButton, ClickInsideActsAndReleaseOutsideDoesNot)
{
    plat::Button button;
    button.SetSize(60, 20);
    ActionCount actions;
    actions.Attach(button);
    button.MouseDown({5, 5});
    EXPECT_TRUE(button.IsHighlighted());
    button.MouseDragged({70, 5});
    EXPECT_FALSE(button.IsHighlighted());
    button.MouseUp({70, 5});
    EXPECT_EQ(actions.count, 0);
    button.MouseDown({5, 5});
    button.MouseUp({59, 19});
    EXPECT_EQ(actions.count, 1);
    EXPECT_FALSE(button.IsHighlighted());
}

TEST(PlatButton, KindsChangeTheirStateBeforeTheAction)
{
    plat::Button check(plat::Button::Kind::Switch);
    plat::Button radio(plat::Button::Kind::Radio);
    std::vector<int> seen;
    check.SetAction([&] { seen.push_back(check.State()); });
    radio.SetAction([&] { seen.push_back(radio.State()); });
    check.PerformClick();
    check.PerformClick();
    radio.PerformClick();
    radio.PerformClick();
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 1}));
}

TEST(PlatButton, DisabledButtonIgnoresTheWholeGesture)
{
    plat::Button button;
    button.SetSize(60, 20);
    ActionCount actions;
    actions.Attach(button);
    button.SetEnabled(false);
    button.MouseDown({5, 5});
    button.SetEnabled(true);
    button.MouseUp({5, 5});
    EXPECT_EQ(actions.count, 0);
}

TEST(PlatPopUpButton, ReleaseOverARowChoosesIt)
{
    plat::PopUpButton popup;
    popup.SetSize(100, 20);
    for (const char* title : {"one", "two", "three"})
        popup.InsertItem(title, popup.ItemCount());
    popup.InsertSeparator(2);
    popup.SelectItem(1);
    ActionCount actions;
    actions.Attach(popup);
    popup.MouseDown({10, 10});
    EXPECT_TRUE(popup.IsMenuOpen());
    EXPECT_EQ(popup.HighlightedRow(), 1);
    popup.MouseDragged({10, 30});   // the separator
    EXPECT_EQ(popup.HighlightedRow(), -1);
    popup.MouseUp({10, 45});        // row of "three", two rows below the selected item
    EXPECT_EQ(popup.SelectedIndex(), 3);
    EXPECT_EQ(popup.ItemTitle(3), "three");
    EXPECT_EQ(actions.count, 1);
    popup.MouseDown({10, 10});
    popup.MouseUp({10, -35});       // two rows above the selected "three": "two"
    EXPECT_EQ(popup.SelectedIndex(), 1);
    popup.MouseDown({10, 10});
    popup.MouseUp({150, 10});       // beside the menu: no choice
    EXPECT_EQ(popup.SelectedIndex(), 1);
    EXPECT_EQ(actions.count, 2);
    EXPECT_FALSE(popup.IsMenuOpen());
}

TEST(PlatPopUpButton, InsertingAndRemovingKeepsTheSelectedItem)
{
    plat::PopUpButton popup;
    popup.InsertItem("a", 0);
    popup.InsertItem("b", 1);
    popup.SelectItem(1);
    popup.InsertItem("c", 0);
    EXPECT_EQ(popup.SelectedIndex(), 2);
    popup.RemoveItem(0);
    EXPECT_EQ(popup.SelectedIndex(), 1);
    popup.RemoveItem(1);
    EXPECT_EQ(popup.SelectedIndex(), 0);
    popup.SelectItem(7);
    EXPECT_EQ(popup.SelectedIndex(), -1);
    EXPECT_EQ(popup.ItemTitle(7), "");
    popup.RemoveAllItems();
    popup.MouseDown({0, 0});
    EXPECT_FALSE(popup.IsMenuOpen());
}

TEST(PlatSlider, DragReportsEveryMoveAndTheRelease)
{
    plat::Slider slider;
    slider.SetSize(116, 20);          // 100 pixels of travel
    slider.SetMinValue(0);
    slider.SetMaxValue(100);
    ActionCount actions;
    actions.Attach(slider);
    slider.MouseDown({8, 10});        // on the knob at 0: no jump
    EXPECT_EQ(slider.IntValue(), 0);
    slider.MouseDragged({58, 10});
    EXPECT_EQ(slider.IntValue(), 50);
    slider.MouseDragged({500, 10});
    EXPECT_EQ(slider.IntValue(), 100);
    slider.MouseUp({500, 10});
    EXPECT_EQ(actions.count, 3);
}

TEST(PlatSlider, VerticalSliderGrowsUpwardAndLimitsItsValue)
{
    plat::Slider slider;
    slider.SetVertical(true);
    slider.SetSize(20, 216);
    slider.SetMinValue(-10);
    slider.SetMaxValue(10);
    slider.MouseDown({10, 8});        // top: the maximum
    slider.MouseUp({10, 8});
    EXPECT_EQ(slider.IntValue(), 10);
    slider.SetValue(1e9);
    EXPECT_EQ(slider.Value(), 10);
    slider.SetMaxValue(-20);
    EXPECT_EQ(slider.MinValue(), -20);
    EXPECT_EQ(slider.Value(), -20);
}

TEST(PlatScroller, PressReportsThePartHit)
{
    plat::Scroller bar;
    bar.SetSize(16, 216);             // arrows of 16, slot of 184
    bar.SetValueAndProportion(0.5, 0.25);
    EXPECT_EQ(bar.KnobLength(), 46);
    EXPECT_EQ(bar.KnobStart(), 16 + 0.5 * 138);
    std::vector<plat::Scroller::Part> parts;
    bar.SetAction([&] { parts.push_back(bar.HitPart()); });
    for (double y : {5.0, 20.0, 100.0, 150.0, 210.0}) {
        bar.MouseDown({8, y});
        bar.MouseUp({8, y});
    }
    using P = plat::Scroller::Part;
    EXPECT_EQ(parts, (std::vector<P>{P::DecrementLine, P::DecrementPage, P::Knob, P::IncrementPage,
                                     P::IncrementLine}));
}

TEST(PlatScroller, KnobDragMovesTheValue)
{
    plat::Scroller bar;
    bar.SetSize(216, 16);
    bar.SetValueAndProportion(0, 0.25);
    int actions = 0;
    bar.SetAction([&] { ++actions; });
    bar.MouseDown({20, 8});
    bar.MouseDragged({20 + 69, 8});
    EXPECT_DOUBLE_EQ(bar.Value(), 0.5);
    bar.MouseUp({1000, 8});
    EXPECT_DOUBLE_EQ(bar.Value(), 1.0);
    EXPECT_EQ(actions, 3);
    bar.SetValueAndProportion(2, -1);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(bar.KnobProportion(), 0);
}

TEST(PlatScroller, FullProportionOrDisabledShowsNoKnob)
{
    plat::Scroller bar;
    bar.SetSize(16, 100);
    bar.SetValueAndProportion(0, 1);
    EXPECT_EQ(bar.PartAt({8, 50}), plat::Scroller::Part::KnobSlot);
    bar.SetValueAndProportion(0, 0.5);
    bar.SetEnabled(false);
    EXPECT_EQ(bar.KnobLength(), 0);
    bar.SetSize(16, 30);              // too short for arrows
    bar.SetEnabled(true);
    EXPECT_EQ(bar.PartAt({8, 1}), plat::Scroller::Part::Knob);
}

TEST(PlatProgressIndicator, FillsItsFractionOnlyWhenDeterminate)
{
    plat::ProgressIndicator bar;
    bar.SetValue(25);
    EXPECT_EQ(bar.FilledFraction(), 0);
    bar.SetIndeterminate(false);
    EXPECT_EQ(bar.FilledFraction(), 0.25);
    bar.SetValue(500);
    EXPECT_EQ(bar.FilledFraction(), 1);
    bar.SetMaxValue(0);
    EXPECT_EQ(bar.FilledFraction(), 0);
}

TEST(PlatControlModels, PerformClickPressesAndReleasesInTheMiddle)
{
    struct Case {
        plat::Button::Kind kind;
        bool enabled;
        int stateAfter;
        int actions;
    };
    const Case cases[] = {
        {plat::Button::Kind::Switch, true, 1, 1},
        {plat::Button::Kind::Momentary, true, 0, 1},
        {plat::Button::Kind::Switch, false, 0, 0},  // a disabled control takes no key either
    };
    for (const Case& c : cases) {
        plat::Button button(c.kind);
        button.SetSize(80, 20);
        button.SetEnabled(c.enabled);
        int actions = 0;
        button.SetAction([&] { ++actions; });
        button.PerformClick();
        EXPECT_EQ(button.State(), c.stateAfter);
        EXPECT_EQ(actions, c.actions);
        EXPECT_FALSE(button.IsTracking());
    }
}
