#include "tests/ui/frames/FrameTestKit.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"

#include <gtest/gtest.h>

namespace {

// A frame with a message-box-like layout: OK at the bottom right, a text at the top left.
struct LayoutFrame : ::testing::Test {
    ConsumingRecorder top;
    RootFrame root{&top};
    LFrame frame{&root, &root};
    FakeLayoutPane* ok = nullptr;
    FakeLayoutPane* text = nullptr;

    void SetUp() override
    {
        frame.SetLayout(LayoutResources::MakeList({
                            "m = 10;",
                            "pp(0, 0, 0, m + wp(2) + m, m + hp(2) + m + hp(1) + m); pp(1, 1, 1, 2, 2)",
                            "pp(1, w(0) - m - wp(1), h(0) - m - hp(1), w(0) - m, h(0) - m);"
                            "pp(2, m, m, m + wp(2), m + hp(2))",
                        }),
                        LFrame::kFormulaLayout);
        owned.push_back(std::make_unique<FakeLayoutPane>(70, 20, true, &frame));
        owned.push_back(std::make_unique<FakeLayoutPane>(200, 32, true, &frame));
        ok = owned[0].get();
        text = owned[1].get();
    }
    void TearDown() override { owned.clear(); }
    std::vector<std::unique_ptr<FakeLayoutPane>> owned;
};

TEST_F(LayoutFrame, PreferredSizeComesFromThePreferredStep)
{
    EXPECT_EQ(frame.PrefWidth(nullptr, 0), 220);
    EXPECT_EQ(frame.PrefHeight(nullptr, 0), 82);
    EXPECT_EQ(ok->Rect(), (CLRect{1, 1, 2, 2})) << "text 1 ran for the query";
}

TEST_F(LayoutFrame, RectChangePlacesTheChildrenInFrameCoordinatesAndRelayoutRunsNoPreferredStep)
{
    frame.SetRect({100, 100, 400, 250});
    EXPECT_EQ(ok->Rect(), (CLRect{220, 120, 290, 140}));
    EXPECT_EQ(text->Rect(), (CLRect{10, 10, 210, 42}));
    EXPECT_EQ(frame.PaneAt(1), ok);
    ok->fSetCount = 0;
    frame.Relayout();
    EXPECT_EQ(ok->Rect(), (CLRect{220, 120, 290, 140})) << "text 1's pp(1, ...) did not run";
    EXPECT_EQ(ok->fSetCount, 0);
}

TEST_F(LayoutFrame, NewChildAndPrefChangeAskForADeferredPassThatASmallFramePassesToItsHost)
{
    top.seen.clear();
    LPane late(&frame, &frame);
    ASSERT_EQ(top.seen.size(), 1u);
    EXPECT_EQ(std::pair(top.seen[0].type, top.seen[0].subject), std::pair(std::string("LPane_Defer"), static_cast<LHandler*>(&frame)));
    top.seen.clear();
    LMessage::Send(LMessage(LPane::msgPref, ok, &frame));
    EXPECT_EQ(top.Count("LPane_Defer"), 1);
    frame.SetRect({0, 0, 100, 50});
    top.seen.clear();
    LMessage::Send(LMessage(LPane::msgDeferred, &frame, &frame));
    EXPECT_EQ(top.Count("LPane_Pref"), 1) << "too small: the host hears of the preferred size";
    frame.SetRect({0, 0, 300, 150});
    ok->SetRect({});
    top.seen.clear();
    LMessage::Send(LMessage(LPane::msgDeferred, &frame, &frame));
    EXPECT_EQ(ok->Rect(), (CLRect{220, 120, 290, 140})) << "a large enough frame relays out";
    EXPECT_TRUE(top.seen.empty());
}

TEST(LFrameLayout, ScriptPreferredHeightForAWidth)
{
    ConsumingRecorder top;
    LFrame frame(&top, nullptr);
    frame.SetLayout(LayoutResources::MakeList({"PREFH#($0 / 2 + kStdSpc);", "pp(0, 0, 0, 30, 40)", ""}),
                    LFrame::kScriptLayout);
    EXPECT_EQ(frame.PrefHeight(nullptr, 300), 170);
    EXPECT_EQ(frame.PrefHeight(nullptr, 0), 40) << "no width hint: the preferred step";
    EXPECT_EQ(frame.PrefWidth(nullptr, 0), 30);

    frame.SetLayout(LayoutResources::MakeList({"PREFH#(0 - 32768);", "pp(0, 0, 0, 30, 40)", ""}),
                    LFrame::kScriptLayout);
    EXPECT_EQ(frame.PrefHeight(nullptr, 300), 16) << "no height: the pane default";
    frame.SetLayout(LayoutResources::MakeList({"", "pp(0, 0, 0, 30, 40)", ""}), LFrame::kScriptLayout);
    EXPECT_EQ(frame.PrefHeight(nullptr, 300), 16) << "no PREFH: the pane default";

    frame.SetLayout(LayoutResources::MakeList({"only one text"}), LFrame::kFormulaLayout);
    EXPECT_FALSE(frame.HasLayout());
    EXPECT_EQ(frame.PrefWidth(nullptr, -1), 0);
}

} // namespace
