#include "ui/layout/LLayoutScript.h"
#include "foundation/text/LStrList.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The message box's layout in the script language.
const std::vector<std::string> kMessageBox = {
    "okbtn = 1; cancelbtn = 2; msgtx = 3; icnpn = 4; nowrap = 0;",
    "tw = max(CalcTextBoxW(msgtx), CalcTextW(msgtx, 20), nowrap*wp(msgtx));"
    "cw = CalcStdIconR(icnpn) + max(tw, CalcTwoButtonW(okbtn, cancelbtn)) + kStdSpc;"
    "ch = kStdSpc + hp(msgtx, tw) + kGrpSpc + hp(okbtn) + kStdSpc; pp(0, 40, 40, 40 + cw, 40 + ch)",
    "PlaceTwoButton(okbtn, cancelbtn); PlaceStdIcon(icnpn);"
    "PlaceTextBoxLTR(msgtx, GetStdIconR(icnpn), kStdSpc, w(0) - kStdSpc)",
};

} // namespace

TEST(LLayoutScript, MessageBoxMatchesTheFormulaLayout)
{
    ASSERT_TRUE(LayoutResources::Opened());
    for (const bool cancelShown : {false, true}) {
        FakeLayoutFrame frame;
        AddMessageBoxPanes(frame, cancelShown);
        LLayoutScript script(&frame);
        script.Load(LayoutResources::MakeList(kMessageBox));
        ASSERT_EQ(script.ErrorCode(), LScript::kNoError) << script.ErrorReport();
        ASSERT_TRUE(script.RunPref(nullptr));
        EXPECT_EQ(script.LayoutRect(), (CLRect{40, 40, 40 + 392, 40 + 88}));
        script.SetLayoutRect(CLRect{0, 0, 392, 88});
        script.RunLayout(nullptr);
        EXPECT_EQ(frame[1].Rect(), cancelShown ? (CLRect{292, 48, 372, 68}) : (CLRect{302, 48, 372, 68}));
        EXPECT_EQ(frame[4].Rect(), (CLRect{20, 20, 52, 52}));
        EXPECT_EQ(frame[3].Rect(), (CLRect{72, 20, 372, 36}));
    }
}

TEST(LLayoutScript, MissingPlacementTextDoesNothingAndPreferredHeightsComeForAWidth)
{
    FakeLayoutFrame frame;
    frame.Add(10, 10);
    LLayoutScript script(&frame);
    script.Load(LayoutResources::MakeList({"a = 1;", "pp(0, 0, 0, 30, 40)"}));
    ASSERT_TRUE(script.RunPref(nullptr));
    EXPECT_EQ(script.LayoutRect(), (CLRect{0, 0, 30, 40}));
    script.RunLayout(nullptr);
    EXPECT_EQ(frame[1].fSetCount, 0);
    FakeLayoutFrame bare;
    LLayoutScript heights(&bare);
    heights.Load(LayoutResources::MakeList({"PREFH#($0 / 2 + kStdSpc);", "", ""}));
    int32_t height = -32768;
    const int32_t width[] = {300};
    ASSERT_TRUE(heights.Call("PREFH", 1, width, height));
    EXPECT_EQ(height, 170);
}

TEST(LLayoutScript, AnErrorAnywhereOrNoTextAtAllBlocksEveryStep)
{
    FakeLayoutFrame frame;
    LLayoutScript script(&frame);
    EXPECT_EQ(script.ErrorCode(), LScript::kErrEOF) << "unusable until loaded";
    EXPECT_FALSE(script.RunPref(nullptr));
    script.Load(LayoutResources::MakeList({"", "pp(0, 0, 0, 30, 40)", "pp(0, 1 2, 3, 4)"}));
    EXPECT_EQ(script.ErrorCode(), LScript::kErrArgList);
    EXPECT_FALSE(script.RunPref(nullptr));
    EXPECT_EQ(script.LayoutRect(), CLRect{});
    EXPECT_EQ(script.ErrorReport().rfind("Error: ArgList, Line ", 0), 0u) << script.ErrorReport();

    script.Load(LayoutResources::MakeList({"", "pp(0, 0, 0, 30, 40)", "pp(0, 1, 2, 3, 4)"}));
    EXPECT_TRUE(script.RunPref(nullptr));
    EXPECT_EQ(script.ErrorReport(), "");
}

TEST(LLayoutScript, LayoutBuiltins)
{
    FakeLayoutFrame frame;
    FakeLayoutPane& pane = frame.Add(30, 12);
    frame.Add(5, 5, false);
    LLayoutScript script(&frame);
    const std::vector<std::string> texts = {
        "n = pp(1, 1, 2, 31, 14); z = pp(0, 10, 20, 110, 70);"
        "probe#(w(0)*1000 + h(0)) * 1000 + wp(0)*10 + (hp(0) == h(0));"
        "misc#sys(2) + sys(4) + sys(-1) + shown(0) + shown(1)*10 + shown(2)*100 + sqrt(13)*1000 + sqrt(-5);"
        "hint#wp(1, -13) + hp(1, 250);"
        "edges#l(1) + t(1)*10 + r(1)*100 + b(1)*10000 + w(7) + l(-1);",
        "", ""};
    script.Load(LayoutResources::MakeList(texts));
    ASSERT_EQ(script.ErrorCode(), LScript::kNoError) << script.ErrorReport();
    EXPECT_EQ(pane.Rect(), (CLRect{1, 2, 31, 14}));
    for (const auto& [name, expected] : {std::pair("probe", 100050000 + 1000 + 1), {"misc", 16 + 1 + 10 + 4000},
                                         {"hint", 42}, {"edges", 1 + 20 + 3100 + 140000}}) {
        int32_t result = 0;
        ASSERT_TRUE(script.Call(name, 0, nullptr, result)) << name;
        EXPECT_EQ(result, expected) << name;
    }
    EXPECT_EQ(std::pair(pane.fLastWidthHint, pane.fLastHeightHint), std::pair(-13, 250));

    script.Load(LayoutResources::MakeList({"x = pp(1, 2, 3)", "", ""}));
    EXPECT_EQ(script.ErrorCode(), LScript::kErrNumArgs);
}
