#include "tests/ui/frames/FrameTestKit.h"
#include "ui/frames/LTabOrder.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

TEST(LFrame, KeepsChildrenAndPassesItsStateToNewOnes)
{
    ConsumingRecorder top;
    RootFrame frame(&top);
    auto pane = std::make_unique<LPane>(&frame, &frame);
    EXPECT_EQ(frame.Children().Count(), 1u);
    EXPECT_EQ(pane->Flags() & 0xFFu, 0x8Fu) << "host shown, host active and key window passed on";
    EXPECT_EQ(std::tuple(frame.PaneAt(0), frame.PaneAt(1), frame.PaneAt(2)),
              (std::tuple<LPane*, LPane*, LPane*>(nullptr, pane.get(), nullptr)));

    frame.SetState(kEventTransparent);
    LPane late(&frame, &frame);
    EXPECT_TRUE(late.Flags() & kPaneInTransparent);
    EXPECT_TRUE(pane->Flags() & kPaneInTransparent);

    pane.reset();
    EXPECT_EQ(frame.Children().Count(), 1u);
    EXPECT_EQ(frame.PaneAt(1), &late);
}

TEST(LFrame, PassesStateEventsDown)
{
    ConsumingRecorder top;
    RootFrame frame(&top);
    LFrame nested(&frame, &frame);
    RecordingPane pane(&nested, &nested);
    pane.events.clear();

    frame.SetState(kEventHide);
    EXPECT_FALSE((nested.Flags() | pane.Flags()) & kPaneHostShown);
    frame.SetState(kEventShow);
    EXPECT_TRUE(pane.Flags() & kPaneHostShown);

    nested.SetState(kEventDisable);
    EXPECT_FALSE(pane.Flags() & kPaneHostActive);
    frame.SetState(kEventDeactivate);
    frame.SetState(kEventActivate);
    EXPECT_FALSE(pane.Flags() & kPaneHostActive) << "a disabled frame keeps its children inactive";
    nested.SetState(kEventEnable);
    EXPECT_TRUE(pane.IsFullyActive());

    pane.events.clear();
    frame.SetState(kEventMoved);
    frame.SetState(kEventBackground);
    nested.SetBackground(CColorRef(CColor::Grey(4)));
    EXPECT_TRUE(nested.Flags() & kPaneOpaque);
    frame.SetState(kEventBackground);
    EXPECT_EQ(pane.events, (std::vector<int32_t>{8, 9, 9})) << "the last 9 stops at the nested frame's own background";
}

TEST(LFrame, HitTestsTheLastChildAndSkipsTransparentFrames)
{
    ConsumingRecorder top;
    RootFrame frame(&top);
    LPane first(&frame, &frame);
    first.SetRect({10, 10, 50, 50});
    LPane second(&frame, &frame);
    second.SetRect({30, 30, 70, 70});
    LFrame nested(&frame, &frame);
    nested.SetRect({100, 100, 200, 200});
    LPane inner(&nested, &nested);
    inner.SetRect({0, 0, 10, 10});

    EXPECT_EQ(frame.HitTest({40, 40}), &second) << "overlap: the later child wins";
    EXPECT_EQ(frame.HitTest({10, 10}), &first);
    EXPECT_EQ(frame.HitTest({70, 70}), &frame) << "right and bottom are exclusive";
    EXPECT_EQ(frame.HitTest({100, 100}), &inner) << "children are asked in frame coordinates";
    EXPECT_EQ(frame.HitTest({110, 110}), &nested);
    EXPECT_EQ(frame.HitTest({400, 0}), nullptr);

    nested.SetState(kEventTransparent);
    EXPECT_EQ(frame.HitTest({100, 100}), &frame) << "a transparent frame and its children are not hit";
    EXPECT_TRUE(inner.Flags() & kPaneInTransparent);
}

TEST(LTabOrder, RowsTopToBottomThenLeftToRight)
{
    // Same top, different lefts: left to right regardless of list order; a pane wholly
    // above another comes first.
    EXPECT_EQ(LTabOrder::Order({{100, 0, 150, 20}, {0, 0, 50, 20}, {0, 40, 50, 60}, {50, 0, 90, 20}}),
              (std::vector<uint32_t>{2, 4, 1, 3}));
    EXPECT_EQ(LTabOrder::Order({{0, 40, 50, 60}, {200, 0, 250, 20}}), (std::vector<uint32_t>{2, 1}));
    EXPECT_EQ(LTabOrder::Order({{0, 0, 10, 10}, {0, 0, 10, 10}}), (std::vector<uint32_t>{1, 2}))
        << "equal places keep list order";
    EXPECT_TRUE(LTabOrder::Order({}).empty());
}

struct TabFrame : ::testing::Test {
    ConsumingRecorder top;
    RootFrame frame{&top};
    StopPane a{&frame, {0, 0, 50, 20}};
    StopPane c{&frame, {0, 40, 50, 60}};
    StopPane b{&frame, {60, 0, 110, 20}};
};

TEST_F(TabFrame, MovesForwardAndBackwardWithWrap)
{
    // From no focus the move starts past the end; a move that wraps says so.
    const std::tuple<LFocusDir, bool, LPane*> moves[] = {
        {LFocusDir::Forward, true, &a}, {LFocusDir::Forward, false, &b}, {LFocusDir::Forward, false, &c},
        {LFocusDir::Forward, true, &a}, {LFocusDir::Backward, true, &c}, {LFocusDir::Backward, false, &b}};
    for (const auto& [dir, wrapped, focus] : moves) {
        EXPECT_EQ(frame.MoveFocus(dir), wrapped);
        EXPECT_EQ(frame.Focus(), focus);
        EXPECT_EQ((a.Flags() & (kPaneFocused | kPaneFocusShown)) != 0, focus == &a);
    }
}

TEST_F(TabFrame, SkipsDisabledHiddenAndNonStops)
{
    b.SetState(kEventDisable);
    c.SetState(kEventNoFocus);
    frame.MoveFocus(LFocusDir::Forward);
    EXPECT_EQ(frame.Focus(), &a);
    EXPECT_TRUE(frame.MoveFocus(LFocusDir::Forward)) << "a is the only stop: back at the start";
    EXPECT_EQ(frame.Focus(), &a);

    a.SetState(kEventHide);
    EXPECT_EQ(frame.Focus(), nullptr) << "hiding unfocuses; the frame hears it";
    EXPECT_TRUE(frame.MoveFocus(LFocusDir::Forward));
    EXPECT_EQ(frame.Focus(), nullptr) << "nothing takes the focus: the wrap is reported";
}

TEST_F(TabFrame, FocusTargetFollowsTheFocusPane)
{
    EXPECT_EQ(frame.FocusTarget(), &frame);
    frame.MoveFocus(LFocusDir::Forward);
    EXPECT_EQ(frame.FocusTarget(), &a);
    frame.SetState(kEventDeactivate);
    EXPECT_EQ(frame.FocusTarget(), nullptr);
    EXPECT_FALSE(a.Flags() & kPaneFocusShown) << "an inactive pane shows no ring";
}

TEST_F(TabFrame, RequestsFromNestedFramesClimbAndTabPassesOnFromTheirEnd)
{
    LFrame nested(&frame, &frame);
    nested.SetRect({0, 100, 200, 200});
    StopPane inner1(&nested, {0, 0, 10, 10});
    StopPane inner2(&nested, {20, 0, 30, 10});
    inner2.FocusOnClick();
    EXPECT_EQ(nested.Focus(), nullptr) << "focus on click is off";
    inner2.SetState(kEventFocusOnClick);
    inner2.FocusOnClick();
    EXPECT_EQ(std::tuple(nested.Focus(), frame.Focus(), frame.FocusTarget()),
              (std::tuple<LPane*, LPane*, LPane*>(&inner2, &nested, &inner2)));
    EXPECT_TRUE((nested.Flags() & kPaneFocused) && (inner2.Flags() & kPaneFocusShown));

    frame.MoveFocus(LFocusDir::Forward);
    EXPECT_EQ(frame.Focus(), &a) << "nested frame is last in the order: wrap to a";
    EXPECT_FALSE((inner2.Flags() | nested.Flags()) & kPaneFocused);
    frame.MoveFocus(LFocusDir::Backward);
    EXPECT_EQ(frame.Focus(), &nested);
    EXPECT_EQ(nested.Focus(), &inner2) << "entering backward restarts at the nested frame's last stop";
    // The Tab key passes on from the end of the nested frame.
    LKeyboard keyboard;
    keyboard.character = 9;
    inner1.AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes);
    ASSERT_EQ(frame.FocusTarget(), &inner1);

    LMessage::Send(LMessage(LKeyboard::msgDown, &keyboard, frame.FocusTarget()));
    EXPECT_EQ(frame.FocusTarget(), &inner2);
    top.seen.clear();
    LMessage::Send(LMessage(LKeyboard::msgDown, &keyboard, frame.FocusTarget()));
    EXPECT_EQ(frame.FocusTarget(), &a) << "past the nested frame's end the outer frame moves on";
    EXPECT_EQ(top.Count(LKeyboard::msgDown), 1) << "a frame without a window of its own passes its wrap on";

    keyboard.modifiers = LKeyboard::kShiftFlag;
    LMessage::Send(LMessage(LKeyboard::msgDown, &keyboard, frame.FocusTarget()));
    EXPECT_EQ(frame.FocusTarget(), &inner2) << "Shift-Tab goes back into the nested frame at its end";

    keyboard.modifiers = 0x40000;
    LMessage::Send(LMessage(LKeyboard::msgDown, &keyboard, frame.FocusTarget()));
    EXPECT_EQ(frame.FocusTarget(), &inner2) << "control-Tab is not taken";
    EXPECT_EQ(top.Count(LKeyboard::msgDown), 3);
}

TEST_F(TabFrame, FocusNearestTakesTheClosestStop)
{
    // Distances are the largest edge overshoot: a and c are 50 away, b 35.
    for (const auto& [at, nearest] : {std::pair(CLPoint{100, 55}, static_cast<LPane*>(&b)), {CLPoint{-10, 45}, &c}}) {
        EXPECT_TRUE(frame.FocusNearest(at));
        EXPECT_EQ(frame.Focus(), nearest);
    }
    for (LPane* p : {static_cast<LPane*>(&a), static_cast<LPane*>(&b), static_cast<LPane*>(&c)})
        p->SetState(kEventDisable);
    EXPECT_FALSE(frame.FocusNearest({0, 0}));
    EXPECT_EQ(frame.Focus(), nullptr);
}

TEST(LFrame, InvalidateWithBackgroundKeepsUpdatedAreasFromBeingErased)
{
    ConsumingRecorder top;
    RecordingPane host(&top, nullptr);
    host.SetState(kEventHostShow);
    LFrame frame(&host, &host);
    frame.SetState(kEventHostShow);
    frame.SetRect({100, 50, 200, 150});
    host.updates.clear();
    host.erases.clear();

    frame.Invalidate(LRegion(CLRect{0, 0, 10, 10}), LRegion(CLRect{0, 0, 5, 5}));
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates[0].Equals(LRegion(CLRect{100, 50, 110, 60}))) << "moved into host coordinates";
    EXPECT_TRUE(host.erases[0].Equals(LRegion(CLRect{100, 50, 105, 55})));

    frame.SetBackground(CColorRef(CColor::Grey(4)));
    frame.Invalidate(LRegion(CLRect{0, 0, 10, 10}), LRegion(CLRect{0, 0, 5, 5}));
    EXPECT_TRUE(host.erases.back().IsEmpty()) << "a frame with a background erases itself";
    LRegion noErase(CLRect{0, 0, 10, 10});
    noErase.Subtract(LRegion(CLRect{0, 0, 5, 5}));
    EXPECT_TRUE(frame.NoEraseRegion().Equals(noErase));

    frame.Invalidate(LRegion(CLRect{90, 90, 300, 300}), LRegion());
    EXPECT_TRUE(host.updates.back().Equals(LRegion(CLRect{190, 140, 200, 150}))) << "cut to the frame";
    host.updates.clear();
    frame.Invalidate(LRegion(CLRect{100, 100, 300, 300}), LRegion());
    EXPECT_TRUE(host.updates.empty()) << "nothing inside the frame";
}

} // namespace
