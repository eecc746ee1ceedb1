#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutPrelude.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kDeclarations = "okbtn = 1; cancelbtn = 2; msgtx = 3; icnpn = 4;";
const char* const kSizeText =
    "tw = max(CalcTextBoxW(msgtx), CalcTextW(msgtx, 20), nowrap*wp(msgtx));"
    "cw = CalcStdIconR(icnpn) + max(tw, CalcTwoButtonW(okbtn, cancelbtn)) + kStdSpc;"
    "ch = kStdSpc + hp(msgtx, tw) + kGrpSpc + hp(okbtn) + kStdSpc;pp(0, 40, 40, 40 + cw, 40 + ch);";
const char* const kPlaceText =
    "PlaceTwoButton(okbtn, cancelbtn);PlaceStdIcon(icnpn);"
    "PlaceTextBoxLTR(msgtx, GetStdIconR(icnpn), kStdSpc, w(0) -  kStdSpc);";

// Runs the message box's size and placement steps the way a frame does; returns the preferred rect.
CLRect LayOutMessageBox(FakeLayoutFrame& frame, std::vector<std::string>* undefined = nullptr)
{
    CLRect preferred;
    {
        LFormulaLayout size(nullptr, &frame);
        if (undefined)
            size.SetUndefinedReadHook([&](std::string_view name) { undefined->emplace_back(name); });
        size.Run(kDeclarations);
        size.SetVariable("nowrap", 0);
        size.Run(kSizeText);
        preferred = size.LayoutRect();
    }
    LFormulaLayout place(nullptr, &frame);
    if (undefined)
        place.SetUndefinedReadHook([&](std::string_view name) { undefined->emplace_back(name); });
    place.Run(kDeclarations);
    place.SetLayoutRect(CLRect{0, 0, preferred.right - preferred.left, preferred.bottom - preferred.top});
    place.Run(kPlaceText);
    return preferred;
}

} // namespace

TEST(LFormulaLayout, PaneZeroIsTheLayoutRect)
{
    FakeLayoutFrame frame;
    LFormulaLayout layout(nullptr, &frame);
    EXPECT_EQ(layout.Run("pp(0,10,20,110,70)"), 0);
    EXPECT_EQ(layout.LayoutRect(), (CLRect{10, 20, 110, 70}));
    EXPECT_EQ(layout.Run("wp(0)*1000+w(0)"), 100100);
    EXPECT_EQ(layout.Run("hp(0)*1000+h(0)"), 50050);
    EXPECT_EQ(layout.Run("l(0)+t(0)*1000+shown(0)*100000"), 120010);
    EXPECT_EQ(layout.Run("r(0)+b(0)*1000"), 70110);
    layout.SetLayoutRect(CLRect{0, 0, 5, 6});
    EXPECT_EQ(layout.Run("w(0)*10+h(0)"), 56);
}

TEST(LFormulaLayout, PanesAreNumberedFromOne)
{
    FakeLayoutFrame frame;
    FakeLayoutPane& first = frame.Add(30, 12);
    FakeLayoutPane& hidden = frame.Add(40, 14, false);
    LFormulaLayout layout(nullptr, &frame);
    layout.Run("pp(1,1,2,31,14);pp(2,5,6,7,8)");
    EXPECT_EQ(std::pair(first.Rect(), hidden.Rect()), std::pair(CLRect{1, 2, 31, 14}, CLRect{5, 6, 7, 8}));
    EXPECT_EQ(layout.Run("w(1)*100+h(1)"), 3012);
    EXPECT_EQ(layout.Run("shown(1)*10+shown(2)"), 10);
    EXPECT_EQ((std::pair{layout.Run("wp(1,-13)"), first.fLastWidthHint}), std::pair(30, -13));
    EXPECT_EQ((std::pair{layout.Run("hp(2,250)"), hidden.fLastHeightHint}), std::pair(14, 250));
    EXPECT_EQ((std::pair{layout.Run("wp(1)"), first.fLastWidthHint}), std::pair(30, 0)) << "a missing hint reads as 0";

    // A number that names no pane reads as 0 and places nothing.
    EXPECT_EQ(layout.Run("w(3)+wp(3)+hp(3)+shown(3)+l(0-1)+r(9)"), 0);
    layout.Run("pp(3,1,1,2,2);pp(0-1,1,1,2,2)");
    EXPECT_EQ(std::pair(first.fSetCount, hidden.fSetCount), std::pair(1, 1));
}

TEST(LFormulaLayout, SystemMetricsAndWideRects)
{
    FakeLayoutFrame frame;
    LFormulaLayout layout(nullptr, &frame);
    EXPECT_EQ(layout.Run("sys(0)+sys(3)"), 32);
    EXPECT_EQ(layout.Run("sys(2)*100+sys(4)+sys(-1)"), 1600);
    layout.SetLayoutRect(CLRect{-2147483647 - 1, 0, 2147483647, 1});
    EXPECT_EQ(layout.Run("w(0)"), -1) << "widths wrap in 32 bits";
}

TEST(LFormulaLayout, PreludeComesFromTheResourceFile)
{
    ASSERT_TRUE(LayoutResources::Opened());
    const std::vector<std::string> items = LayoutResources::SourceItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{LLayoutPrelude::Text(LLayoutPrelude::kFormulaItem),
                                        LLayoutPrelude::Text(LLayoutPrelude::kScriptItem), LLayoutPrelude::Text(2)}),
              (std::vector<std::string>{items[0], items[1], ""}));
}

TEST(LFormulaLayout, EveryEngineStartsFromThePreludeStore)
{
    FakeLayoutFrame frame;
    {
        LFormulaLayout first(nullptr, &frame);
        first.Run("kStdSpc=99;PlaceSize#0#");
        EXPECT_EQ(first.GetVariable("kStdSpc"), 99);
    }
    LFormulaLayout second(nullptr, &frame);
    EXPECT_EQ(second.GetVariable("kStdSpc"), 20);
    frame.Add(10, 10);
    second.Run("PlaceSize(1,5,6,7,8)");
    EXPECT_EQ(frame[1].Rect(), (CLRect{5, 6, 12, 14}));
}

TEST(LFormulaLayout, PreludeReadsNoUndefinedVariable)
{
    LFormula plain;
    std::vector<std::string> undefined;
    plain.SetUndefinedReadHook([&](std::string_view name) { undefined.emplace_back(name); });
    plain.Run(LLayoutPrelude::Text(LLayoutPrelude::kFormulaItem));
    EXPECT_TRUE(undefined.empty());

    FakeLayoutFrame frame;
    AddMessageBoxPanes(frame, false);
    frame.Add(2, 2);
    LFormulaLayout layout(nullptr, &frame);
    layout.SetUndefinedReadHook([&](std::string_view name) { undefined.emplace_back(name); });
    layout.SetLayoutRect(CLRect{0, 0, 400, 300});
    layout.Run("CalcTextW(3,4);CalcTextBoxW(3);CalcStdIconR(4);GetStdIconR(4);CalcTwoButtonW(1,2);"
               "PlaceTwoButton(1,2);PlaceStdIcon(4);PlaceTextBoxLTR(3,1,2,3);PlaceSize(1,1,2,3,4);"
               "PlaceSepR(5,1,2,3);PlaceSepB(5,1,2,3);CalcEditW(3,4);CalcEditH(3,2)");
    EXPECT_TRUE(undefined.empty()) << undefined.front();
}

TEST(LFormulaLayout, MessageBoxWithAndWithoutCancel)
{
    for (const bool cancelShown : {false, true}) {
        FakeLayoutFrame frame;
        AddMessageBoxPanes(frame, cancelShown);
        std::vector<std::string> undefined;
        // Text 300 wide beside a 32-wide icon; the buttons are narrower, so the text decides the width.
        EXPECT_EQ(LayOutMessageBox(frame, &undefined), (CLRect{40, 40, 40 + 392, 40 + 88}));
        EXPECT_TRUE(undefined.empty());
        // OK sits at the bottom right; with Cancel, both buttons take the wider width.
        EXPECT_EQ(frame[1].Rect(), cancelShown ? (CLRect{292, 48, 372, 68}) : (CLRect{302, 48, 372, 68}));
        if (cancelShown) {
            EXPECT_EQ(frame[2].Rect(), (CLRect{200, 48, 280, 68}));
        }
        EXPECT_EQ(frame[4].Rect(), (CLRect{20, 20, 52, 52}));
        EXPECT_EQ(frame[3].Rect(), (CLRect{72, 20, 372, 36}));
    }
}

TEST(LFormulaLayout, ControlPanelTemplates)
{
    // Two numeric controls in a row, as the control panels generate them.
    FakeLayoutFrame frame;
    frame.Add(50, 22);
    frame.Add(50, 24);
    LFormulaLayout layout(nullptr, &frame);
    layout.Run("hspc=kStdSpc;vspc=kItemVSpc-1;");
    layout.Run("cw=hspc+CalcEditW(1,3)+hspc+CalcEditW(2,3)+hspc;ch=max(hp(1),hp(2),0)+2*vspc;pp(0,0,0,cw,ch);");
    // Wide characters are as wide as the pane's preferred width here: 50 * 3 + 8 per edit.
    EXPECT_EQ(layout.LayoutRect(), (CLRect{0, 0, 20 + 158 + 20 + 158 + 20, 24 + 14}));
    layout.Run("vc=h(0)/2;l1=hspc;h1=hp(1);PlaceSize(1,l1,vc-h1/2,CalcEditW(1,3),h1);l1=r(1)+hspc;");
    EXPECT_EQ(frame[1].Rect(), (CLRect{20, 8, 178, 30}));
    EXPECT_EQ(layout.GetVariable("l1"), 198);
}
