// The scripts generated from definitions run in the program's formula layout engine, with
// the layout prelude of the shipped resource file.
#include "outputs/defs/CCtlDefList.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/support/InstalledResources.h"
#include "ui/layout/LFormulaLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class CtlLayoutScripts : public InstalledResourcesSuite {
protected:

    // Runs prelude and size script as the panel does; returns the preferred rectangle.
    CLRect Size(const CCtlDefList& list, FakeLayoutFrame& frame)
    {
        LFormulaLayout layout(nullptr, &frame);
        layout.SetUndefinedReadHook([this](std::string_view name) { fUndefined.emplace_back(name); });
        layout.Run(list.Prelude().Get());
        layout.Run(list.SizeScript().Get());
        EXPECT_FALSE(layout.BudgetExhausted());
        return layout.LayoutRect();
    }
    void Place(const CCtlDefList& list, FakeLayoutFrame& frame, const CLRect& bounds)
    {
        LFormulaLayout layout(nullptr, &frame);
        layout.SetUndefinedReadHook([this](std::string_view name) { fUndefined.emplace_back(name); });
        layout.Run(list.Prelude().Get());
        layout.SetLayoutRect(bounds);
        layout.Run(list.PlaceScript().Get());
        EXPECT_FALSE(layout.BudgetExhausted());
    }

    FakeLayoutFrame fFrame;
    std::vector<std::string> fUndefined;
};

} // namespace

TEST_F(CtlLayoutScripts, ConsoleColumnStacksItsControlsWithoutGaps)
{
    ASSERT_GT(sResources->Ref(), 0);
    CDefTree tree;
    ASSERT_EQ(LoadDefinitionFile("midiconsole", tree), 1);
    CCtlDefList list;
    list.Load(FindControlsNode(tree), CCtlDefList::Layout::Column);
    ASSERT_EQ(list.Count(), 4u);
    for (int i = 0; i < 4; ++i)
        fFrame.Add(30, 20);
    const CLRect size = Size(list, fFrame);
    EXPECT_GT(size.right - size.left, 30);
    Place(list, fFrame, CLRect{0, 0, size.right - size.left, size.bottom - size.top});
    ASSERT_TRUE(fUndefined.empty()) << fUndefined.front();
    for (int pane = 1; pane <= 4; ++pane) {
        EXPECT_EQ(fFrame[pane].fSetCount, 1) << pane;
        EXPECT_LT(fFrame[pane].Rect().top, fFrame[pane].Rect().bottom) << pane;
        if (pane > 1) {
            EXPECT_GT(fFrame[pane].Rect().top, fFrame[pane - 1].Rect().bottom) << pane;
        }
    }
    // The last control ends one spacing above the preferred height.
    EXPECT_LT(fFrame[4].Rect().bottom, size.bottom - size.top);
}

TEST_F(CtlLayoutScripts, EveryFaderKindLaysOutAsARow)
{
    ASSERT_GT(sResources->Ref(), 0);
    for (uint32_t kind = 1; kind <= 9; ++kind) {
        CDefTree tree;
        ASSERT_EQ(LoadFaderKindDefs(kind, tree), 1);
        CCtlDefList list;
        list.Load(FindControlsNode(tree), CCtlDefList::Layout::Row);
        FakeLayoutFrame frame;
        for (uint32_t i = 0; i < list.Count(); ++i) {
            // Each control answers as a text field with lines of 18 and insets of 2 does.
            frame.Add(40, 18).fHeightFor = [](int32_t hint) { return hint == -1 ? 2 : hint == -2 ? 4 : 18 + 4; };
        }
        const CLRect size = Size(list, frame);
        Place(list, frame, CLRect{0, 0, size.right - size.left, size.bottom - size.top});
        EXPECT_TRUE(fUndefined.empty()) << FaderKindName(kind);
        if (kind == 9) {
            // Port (5 digits) and address (16 characters), characters 40 wide here; edit
            // fields add their insets, the row adds kStdSpc around and between.
            EXPECT_EQ(size, (CLRect{0, 0, 20 + (5 * 40 + 8) + 20 + (16 * 40 + 8) + 20, (18 + 6) + 2 * 7}));
        }
        for (uint32_t pane = 1; pane <= list.Count(); ++pane) {
            EXPECT_EQ(frame[pane].fSetCount, 1) << FaderKindName(kind);
            EXPECT_LE(frame[pane].Rect().right, size.right - size.left) << FaderKindName(kind);
        }
    }
}
