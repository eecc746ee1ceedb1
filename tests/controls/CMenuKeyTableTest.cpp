#include "controls/settings/CMenuKeyTable.h"
#include "tests/ui/menus/MenuTestKit.h"

#include <deque>
#include <vector>

namespace {

// A table whose user answers from a list of keys (an empty list cancels) and whose messages
// are noted instead of shown.
class ScriptedTable : public CMenuKeyTable {
public:
    using CMenuKeyTable::CMenuKeyTable;
    std::deque<std::string> answers;
    std::vector<uint32_t> messages;

protected:
    bool AskForKey(LMenuItem&, LStringRef& key) override
    {
        if (answers.empty())
            return false;
        key = answers.front().c_str();
        answers.pop_front();
        return true;
    }
    void ShowMessage(uint32_t item) override { messages.push_back(item); }
};

class MenuKeys : public MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        bar = std::make_unique<LMenuBar>(&app, "APP", shipped.get());
        bar->ForEachItem(this, [](void* context, LMenuItem* item) {
            auto* self = static_cast<MenuKeys*>(context);
            if (item->hasKey && !item->submenu && !self->fixedItem)
                self->fixedItem = item;
            else if (!item->hasKey && !item->submenu && !item->GetCommandName().IsEmpty() && !item->title.IsEmpty())
                self->free.push_back(item);
        });
        ASSERT_GE(free.size(), 2u);
        ASSERT_NE(fixedItem, nullptr);
    }
    void TearDown() override
    {
        LMenuBar::SetCommandTarget(nullptr);
        bar.reset();
        MenuFixture::TearDown();
    }
    static std::string Key(const LMenuItem* item) { return std::string(item->keyText.View()); }
    std::string Row(const CMenuKeyTable& table, uint32_t row, const char* name) const
    {
        return std::string(table.Cell(row, name).View());
    }

    std::unique_ptr<LMenuBar> bar;
    std::vector<LMenuItem*> free;
    LMenuItem* fixedItem = nullptr;
};

} // namespace

TEST_F(MenuKeys, TheLaterAssignmentOfAKeyWinsAndTheEarlierRowGoesAtTheNextCleaning)
{
    ScriptedTable table(&app);
    LMenuItem* a = free[0];
    LMenuItem* b = free[1];
    table.Store(*a, "csK", bar.get());
    EXPECT_EQ(Key(a), "csK");
    EXPECT_EQ(Row(table, 0, "cmd"), std::string(a->GetCommandName().View()));
    EXPECT_EQ(Row(table, 0, "text"), std::string(a->title.View()));

    table.Store(*b, "csK", bar.get());
    EXPECT_EQ(Key(b), "csK");
    EXPECT_EQ(Key(a), "") << "the earlier row lost the key";
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(Row(table, 0, "key"), "") << "the losing row's key is emptied in the table";
    table.RemoveDuplicates();
    ASSERT_EQ(table.RowCount(), 1u);
    EXPECT_EQ(Row(table, 0, "cmd"), std::string(b->GetCommandName().View()));
}

TEST_F(MenuKeys, ReassigningReplacesTheItemsRowAndAnEmptyKeyRemovesIt)
{
    ScriptedTable table(&app);
    LMenuItem* a = free[0];
    table.Store(*a, "cX", bar.get());
    table.Store(*a, "oY", bar.get());
    ASSERT_EQ(table.RowCount(), 1u);
    EXPECT_EQ(Row(table, 0, "key"), "oY");
    EXPECT_EQ(Key(a), "oY");
    table.Store(*a, "", bar.get());
    EXPECT_EQ(table.RowCount(), 0u);
    EXPECT_EQ(Key(a), "");
}

TEST_F(MenuKeys, OneCommandUnderTwoTitlesKeepsARowForEach)
{
    ScriptedTable table(&app);
    LMenuItem* a = free[0];
    const LStringRef original = a->title;
    table.Store(*a, "cQ", bar.get());
    a->title = "Another Title";
    table.Store(*a, "", bar.get());
    ASSERT_EQ(table.RowCount(), 2u) << "a shared row stays even with an empty key";
    EXPECT_EQ(Key(a), "") << "the exact row for this title has no key";
    a->title = original;
    table.Apply(*bar);
    EXPECT_EQ(Key(a), "cQ");
}

TEST_F(MenuKeys, ItemsWithADefaultKeyNeverChange)
{
    ScriptedTable table(&app);
    const std::string before = Key(fixedItem);
    table.AssignFor(*fixedItem);
    EXPECT_EQ(table.messages, (std::vector<uint32_t>{0}));
    EXPECT_EQ(table.RowCount(), 0u);
    table.Store(*fixedItem, "cW", bar.get());
    EXPECT_EQ(Key(fixedItem), before) << "the table never touches a default key";
}

TEST_F(MenuKeys, ArmingTurnsTheNextChoiceIntoAnAssignment)
{
    ScriptedTable table(&app);
    table.answers = {std::string(fixedItem->keyText.View()), "coZ"};
    table.Arm();
    EXPECT_EQ(LMenuBar::CommandTarget(), &app);
    EXPECT_FALSE(table.HandleMessage(LMessage(LMenuBar::msgReady, bar.get(), &app)));
    bool allEnabled = true;
    bar->ForEachItem(&allEnabled, [](void* context, LMenuItem* item) {
        if (!item->IsSeparator() && !item->enabled)
            *static_cast<bool*>(context) = false;
    });
    EXPECT_TRUE(allEnabled) << "any item can be chosen";

    EXPECT_TRUE(table.HandleMessage(LMessage(LMenuItem::msgSelected, free[1], &app)));
    EXPECT_FALSE(table.IsArmed());
    EXPECT_EQ(LMenuBar::CommandTarget(), nullptr);
    EXPECT_EQ(table.messages, (std::vector<uint32_t>{1})) << "a default key of another item is refused";
    EXPECT_EQ(Key(free[1]), "coZ") << "the second answer was stored";
    EXPECT_FALSE(table.HandleMessage(LMessage(LMenuItem::msgSelected, free[0], &app))) << "not armed any more";
}

TEST_F(MenuKeys, ASecondMenuUpdateCancelsAssigning)
{
    ScriptedTable table(&app);
    table.Arm();
    (void)table.HandleMessage(LMessage(LMenuBar::msgReady, bar.get(), &app));
    (void)table.HandleMessage(LMessage(LMenuBar::msgReady, bar.get(), &app));
    EXPECT_FALSE(table.IsArmed());
    EXPECT_EQ(LMenuBar::CommandTarget(), nullptr);
    EXPECT_FALSE(table.HandleMessage(LMessage(LMenuItem::msgSelected, free[0], &app)));
}
