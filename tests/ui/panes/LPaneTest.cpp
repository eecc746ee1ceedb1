#include "tests/ui/panes/PaneTestKit.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LDrawPort.h"
#include "ui/panes/CCursorHookList.h"
#include "ui/panes/CUIDict.h"
#include "foundation/core/LString.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A pane in a host that is shown and active, as a frame in a front window leaves it.
struct PaneInHost : ::testing::Test {
    ConsumingRecorder top;
    RecordingPane host{&top, nullptr};
    RecordingPane pane{&top, &host};

    void SetUp() override
    {
        for (int32_t e : {kEventHostShow, kEventActivate, kEventKeyWindow})
            pane.SetState(e);
        pane.SetRect({10, 20, 50, 40});
        pane.events.clear();
        host.updates.clear();
        host.erases.clear();
        top.seen.clear();
    }
};

TEST(LPane, NewPaneIsShownEnabledAndHitButNoFocusTargetAndAnnouncesItselfToItsHost)
{
    ConsumingRecorder host, parent;
    {
        LPane pane(&parent, nullptr);
        EXPECT_EQ(pane.Flags(), 3u);
        pane.SetRect({0, 0, 10, 10});
        EXPECT_EQ(pane.HitTest({0, 0}), &pane);
        EXPECT_EQ(pane.FocusTarget(), nullptr) << "needs host shown and host active";
        pane.SetState(kEventHostShow);
        pane.SetState(kEventActivate);
        EXPECT_EQ(pane.FocusTarget(), &pane);
        EXPECT_TRUE(parent.seen.empty()) << "without host nobody hears of the pane";
    }
    parent.seen.clear();
    LHandler* made = nullptr;
    {
        RecordingPane hostPane(&host, nullptr);
        host.seen.clear();
        RecordingPane pane(&parent, &hostPane);
        made = &pane;
        EXPECT_TRUE(parent.seen.empty());
    }
    // The host pane passes the announcements on to its parent; the host itself has no host.
    ASSERT_GE(host.seen.size(), 2u);
    EXPECT_EQ(host.Count("LPane_Destructing"), 1);
    EXPECT_EQ(std::pair(host.seen[0].type, host.seen[0].subject), std::pair(std::string("LPane_Constructing"), made));
    EXPECT_EQ(std::pair(host.seen[1].type, host.seen[1].subject), std::pair(std::string("LPane_Destructing"), made));
}

TEST_F(PaneInHost, SetStateCallsStateChangedOnlyOnChange)
{
    pane.SetState(kEventShow);
    EXPECT_TRUE(pane.events.empty()) << "already shown";
    for (int32_t e : std::initializer_list<int32_t>{kEventMoved, kEventMoved, kEventPrefsChanged, 40})
        pane.SetState(e);
    EXPECT_EQ(pane.events, (std::vector<int32_t>{8, 8, 23, 40})) << "flagless events always arrive";
    EXPECT_EQ(pane.Flags(), 0x8Fu);
    for (int32_t e : {kEventDisable, kEventDisable, kEventTransparent, kEventInTransparent, kEventFocusOnClick})
        pane.SetState(e);
    EXPECT_EQ(pane.Flags(), 0x8Du | 0x10 | 0x20 | 0x800);
    for (int32_t e : {kEventNoFocusOnClick, kEventNotTransparent, kEventNotInTransparent, kEventNotKeyWindow})
        pane.SetState(e);
    EXPECT_EQ(pane.Flags(), 0x0Du);
}

TEST_F(PaneInHost, FocusStopEventsSwitchRingPlacementAndFocusShownInvalidatesTheRing)
{
    pane.SetState(kEventTakeFocusOuter);
    EXPECT_EQ(pane.Flags() & 0x300u, 0x300u);
    // A repeated event changes nothing; 18 clears only the Tab stop.
    const std::tuple<std::vector<int32_t>, uint32_t, std::vector<int32_t>> steps[] = {
        {{kEventTakeFocus}, 0x100u, {18, 19}}, {{kEventTakeFocus, kEventTakeFocusOuter}, 0x300u, {18, 20}},
        {{kEventNoFocus, kEventNoFocus}, 0x200u, {18}}};
    for (const auto& [events, flags, seen] : steps) {
        pane.events.clear();
        for (int32_t e : events)
            pane.SetState(e);
        EXPECT_EQ(pane.Flags() & 0x300u, flags);
        EXPECT_EQ(pane.events, seen);
    }
    pane.SetState(kEventTakeFocusOuter);
    EXPECT_FALSE(pane.Flags() & kPaneFocusShown);
    host.updates.clear();
    pane.SetState(kEventFocus);
    EXPECT_TRUE(pane.Flags() & kPaneFocusShown);
    EXPECT_EQ(top.Count("LPane_Focus"), 1);
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates[0].Equals(LPane::RingRegion({10, 20, 50, 40}, true)));
    EXPECT_TRUE(host.erases[0].Equals(host.updates[0]));
    EXPECT_EQ(host.updates[0].GetBounds(), (CLRect{7, 17, 53, 43}));
    EXPECT_FALSE(host.updates[0].Contains({10, 20})) << "the rect itself is not in the ring";

    // Losing the key window hides the ring.
    pane.SetState(kEventNotKeyWindow);
    EXPECT_FALSE(pane.Flags() & kPaneFocusShown);
    pane.SetState(kEventKeyWindow);
    EXPECT_TRUE(pane.Flags() & kPaneFocusShown);
}

TEST_F(PaneInHost, HidingUnfocusesFirstAndInvalidatesThePane)
{
    pane.SetState(kEventTakeFocus);
    pane.SetState(kEventFocus);
    pane.events.clear();
    host.updates.clear();
    pane.SetState(kEventHide);
    EXPECT_EQ(pane.events, (std::vector<int32_t>{11, 1}));
    EXPECT_EQ(pane.Flags() & (kPaneFocused | kPaneShown | kPaneFocusShown), 0u);
    EXPECT_EQ(top.Count("LPane_Unfocus"), 1);
    // The inner ring, then the pane's rect on hiding.
    ASSERT_EQ(host.updates.size(), 2u);
    EXPECT_EQ(host.updates[1].GetBounds(), (CLRect{10, 20, 50, 40}));
    pane.SetState(kEventHide);
    EXPECT_EQ(pane.events.size(), 2u);
}

TEST_F(PaneInHost, RectChangeInvalidatesOldAndNewPlace)
{
    pane.SetRect({10, 20, 50, 40});
    EXPECT_TRUE(host.updates.empty()) << "equal rect changes nothing";
    pane.SetRect({30, 20, 70, 40});
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_EQ(host.updates[0].GetBounds(), (CLRect{10, 20, 70, 40}));
    EXPECT_TRUE(host.erases[0].Equals(host.updates[0]));

    // An opaque pane erases only what it uncovered.
    struct OpaquePane : RecordingPane {
        using RecordingPane::RecordingPane;
        void MakeOpaque() { SetFlagBits(kPaneOpaque, true); }
    } opaque(&top, &host);
    opaque.SetState(kEventHostShow);
    opaque.MakeOpaque();
    opaque.SetRect({0, 0, 10, 10});
    host.updates.clear();
    host.erases.clear();
    opaque.SetRect({5, 0, 15, 10});
    EXPECT_EQ(host.updates.back().GetBounds(), (CLRect{0, 0, 15, 10}));
    EXPECT_TRUE(host.erases.back().Equals(LRegion(CLRect{0, 0, 5, 10})));

    // A hidden pane invalidates nothing when it moves.
    pane.SetState(kEventHide);
    host.updates.clear();
    pane.SetRect({0, 0, 1, 1});
    EXPECT_TRUE(host.updates.empty());
}

TEST_F(PaneInHost, RequestsClimbTheParentChain)
{
    pane.FocusOnClick();
    EXPECT_TRUE(top.seen.empty()) << "focus on click is off";
    pane.SetState(kEventFocusOnClick);
    pane.FocusOnClick();
    pane.UpdateNow();
    EXPECT_FALSE(pane.AdvanceFocus(LFocusDir::Forward, LFocusRestart::Yes));
    pane.SetState(kEventTakeFocus);
    EXPECT_FALSE(pane.AdvanceFocus(LFocusDir::Backward, LFocusRestart::No));
    std::vector<std::string> types;
    for (const auto& m : top.seen) {
        types.push_back(m.type);
        EXPECT_EQ(m.subject, &pane);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"LPane_ReqFocus", "LPane_UpdateNow", "LPane_ReqFocus"}));

    // A nested pane's capture request passes through the middle pane to the top.
    LPane inner(&pane, &pane);
    LMessage::Send(LMessage(LPane::msgReqCapture, &inner, &pane));
    EXPECT_EQ(std::pair(top.seen.back().type, top.seen.back().subject),
              std::pair(std::string("LPane_ReqCapture"), static_cast<LHandler*>(&inner)));
}

TEST(LPane, HitTestAndOverlapAtRectangleEdges)
{
    LPane pane(nullptr, nullptr);
    pane.SetRect({10, 20, 30, 40});
    // Right and bottom are exclusive.
    for (const auto& [point, hit] : {std::pair(CLPoint{10, 20}, true), {CLPoint{29, 39}, true}, {CLPoint{30, 39}, false},
                                     {CLPoint{29, 40}, false}, {CLPoint{9, 20}, false}})
        EXPECT_EQ(pane.HitTest(point), hit ? &pane : nullptr) << point.x << "," << point.y;
    EXPECT_TRUE(pane.Overlaps(LRegion(CLRect{29, 39, 40, 40})));
    EXPECT_FALSE(pane.Overlaps(LRegion(CLRect{30, 0, 40, 40})));
    pane.SetState(kEventInTransparent);
    EXPECT_EQ(pane.HitTest({10, 20}), &pane) << "only the pane's own transparency counts";
    pane.SetState(kEventTransparent);
    EXPECT_EQ(pane.HitTest({10, 20}), nullptr);
    pane.SetState(kEventNotTransparent);
    pane.SetState(kEventDisable);
    EXPECT_EQ(pane.HitTest({10, 20}), nullptr);
    pane.SetState(kEventHide);
    EXPECT_FALSE(pane.Overlaps(LRegion(CLRect{0, 0, 40, 40})));
}

TEST(LPane, OriginInAddsContextOriginsAndRectAndPreferredSizesFeedTheFormulaEngine)
{
    RecordingPane window(nullptr, nullptr);
    window.contextDx = 100;
    window.contextDy = 200;
    RecordingPane middle(nullptr, &window);
    middle.contextDx = 5;
    middle.contextDy = 7;
    LPane pane(nullptr, &middle);
    pane.SetRect({1, 2, 3, 4});
    EXPECT_EQ((std::vector<CLPoint>{pane.OriginIn(nullptr), pane.OriginIn(&middle), pane.OriginIn(&window)}),
              (std::vector<CLPoint>{{106, 209}, {1, 2}, {6, 9}}));
    EXPECT_EQ(LPaneContext::FromPane(pane).WindowToLocal({106, 209}), (CLPoint{1, 2}));
    LPane plain(nullptr, nullptr);
    EXPECT_EQ(std::tuple(plain.PrefWidth(nullptr, -1), plain.PrefWidth(nullptr, 0), plain.PrefHeight(nullptr, 300)),
              std::tuple(0, 16, 16));

    // Real panes placed by the formula engine: the engine reads preferred sizes and the shown
    // flag and places the panes through SetRect.
    FakeLayoutFrame frame;
    frame.Add(40, 20);
    frame.Add(30, 10, false);
    LFormulaLayout layout(nullptr, &frame);
    EXPECT_EQ(layout.Run("wp(1)+hp(2)*1000+shown(2)*100000"), 10040);
    layout.Run("pp(1, 5, 6, 5 + wp(1), 6 + hp(1))");
    EXPECT_EQ(frame[1].Rect(), (CLRect{5, 6, 45, 26}));
    EXPECT_EQ(frame[1].HitTest({44, 25}), &frame[1]);
    EXPECT_EQ(frame[2].HitTest({0, 0}), nullptr);
}

TEST(CUIDict, SetReplacesAndAnEmptyValueRemoves)
{
    LPane pane(nullptr, nullptr);
    auto dict = std::make_unique<CUIDict>();
    LRef text(LString::Make("x"));
    for (const char* key : {"a", "a", "b"})
        dict->Set(key, text);
    EXPECT_EQ(dict->Count(), 2u);
    dict->Set("b", LRef());
    EXPECT_EQ(dict->Find("a"), text);
    EXPECT_FALSE(dict->Find("b"));
    pane.SetDictionary(std::move(dict));
    EXPECT_EQ(pane.Dictionary()->Count(), 1u);
}

TEST(CCursorHookList, DispatchStopsAtFirstHookThatSetsTheCursor)
{
    static std::vector<int> calls;
    calls.clear();
    auto no = +[](void* ctx, int32_t selector, int32_t request) -> int32_t {
        calls.push_back(*static_cast<int*>(ctx) * 100 + selector * 10 + request);
        return 0;
    };
    auto yes = +[](void* ctx, int32_t, int32_t) -> int32_t {
        calls.push_back(*static_cast<int*>(ctx));
        return 1;
    };
    int one = 1, two = 2, three = 3;
    for (const auto& [hook, context] : {std::pair(no, &one), {no, &one}, {yes, &two}, {no, &three}})
        CCursorHookList::Add(hook, context);
    EXPECT_TRUE(CCursorHookList::Dispatch(4));
    EXPECT_EQ(calls, (std::vector<int>{114, 2}));
    CCursorHookList::Remove(yes, &two);
    calls.clear();
    EXPECT_FALSE(CCursorHookList::Dispatch(5));
    EXPECT_EQ(calls, (std::vector<int>{115, 315}));
    CCursorHookList::Remove(no, &one);
    CCursorHookList::Remove(no, &three);
}

TEST(LDrawPort, TakesTheContextsClipOriginAndPaint)
{
    LPaneContext context;
    context.clip.SetRect({10, 20, 110, 70});
    context.originX = 10;
    context.originY = 20;
    CColor::AssignGrey(context.background, 3);
    LDrawPort port(context);
    EXPECT_EQ(port.Port().Origin(), (CLPoint{10, 20}));
    EXPECT_EQ(port.Port().Color(), context.background);
    EXPECT_EQ(port.Port().Context(), nullptr) << "outside any window: a port without canvas";
    EXPECT_TRUE(port.Port().Clip().IsEmpty()) << "and nothing drawable";
}

} // namespace
