// Every layout text the program ships runs well inside the layout engines' step budgets.
#include "foundation/text/LStrList.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutPrelude.h"
#include "ui/layout/LLayoutScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(ShippedLayouts, RunWellInsideTheStepBudget)
{
    ASSERT_TRUE(LayoutResources::Opened());
    int lists = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LayoutResources::SourceFolder())) {
        const std::string name = entry.path().filename().string();
        const std::vector<std::string> items = LayoutResources::SourceItems(name);
        ++lists;
        if (name == "STDLAYOUT.list") {
            LFormula prelude;
            prelude.Run(items.at(LLayoutPrelude::kFormulaItem));
            EXPECT_FALSE(prelude.BudgetExhausted());
            EXPECT_LT(prelude.StepsUsed(), LFormula::kMaxSteps / 100);
            // The script prelude compiles with the layout built-ins and runs its top level.
            FakeLayoutFrame frame;
            LLayoutScript script(&frame);
            script.Load(LayoutResources::MakeList({"", "", ""}));
            EXPECT_EQ(script.ErrorReport(), "");
            EXPECT_EQ(script.ErrorCode(), LScript::kNoError);
            continue;
        }
        // Declarations, preferred size and placement, as a frame runs them.
        FakeLayoutFrame frame;
        for (int i = 0; i < 30; ++i)
            frame.Add(40, 20);
        LFormulaLayout layout(nullptr, &frame);
        for (const std::string& item : items) {
            layout.Run(item);
            EXPECT_FALSE(layout.BudgetExhausted()) << name;
            EXPECT_LT(layout.StepsUsed(), LFormula::kMaxSteps / 100) << name;
        }
    }
    EXPECT_GE(lists, 17);
}
