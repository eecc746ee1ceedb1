#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace plat;

namespace {

// Performs the actions it is told to and notes each one with the sender's title.
class Responder final : public ActionResponder {
public:
    explicit Responder(std::vector<std::string> actions) : fActions(std::move(actions)) {}
    bool RespondsTo(std::string_view action) const override
    {
        for (const auto& a : fActions)
            if (a == action)
                return true;
        return false;
    }
    void Perform(std::string_view action, MenuItem* sender) override
    {
        log.push_back(std::string(action) + " " + (sender ? sender->Title() : ""));
    }
    bool ValidateMenuItem(const MenuItem& item) const override { return item.Title() != refused; }

    std::vector<std::string> log;
    std::string refused;

private:
    std::vector<std::string> fActions;
};

ActionResponder* ResolveTo(void* context, std::string_view action)
{
    auto* responder = static_cast<Responder*>(context);
    return responder->RespondsTo(action) ? responder : nullptr;
}

// A main menu "File" (Open cmd-O, Save cmd-shift-S, separator, Export > CSV ctrl-opt-E) and
// "Edit" (Copy cmd-C), with untargeted actions served by one responder.
class MainMenuFixture : public testing::Test {
protected:
    void SetUp() override
    {
        auto bar = Menu::Make("Main");
        auto file = Menu::Make("File");
        file->Add(MenuItem::Make("Open", "open:", "o"));
        auto save = MenuItem::Make("Save", "save:", "s");
        save->SetKeyEquivalentModifierMask(kCommandKeyMask | kShiftKeyMask);
        file->Add(save);
        file->Add(MenuItem::MakeSeparator());
        auto exportMenu = Menu::Make("Export");
        auto csv = MenuItem::Make("CSV", "csv:", "e");
        csv->SetKeyEquivalentModifierMask(kControlKeyMask | kOptionKeyMask);
        exportMenu->Add(csv);
        auto exportItem = MenuItem::Make("Export");
        exportItem->SetSubmenu(exportMenu);
        file->Add(exportItem);
        auto edit = Menu::Make("Edit");
        edit->Add(MenuItem::Make("Copy", "copy:", "c"));
        for (const auto& menu : {file, edit}) {
            auto holder = MenuItem::Make(menu->Title());
            holder->SetSubmenu(menu);
            bar->Add(holder);
        }
        SetMainMenu(bar);
        SetNilTargetResolver(&ResolveTo, &responder);
    }
    void TearDown() override
    {
        SetNilTargetResolver(nullptr, nullptr);
        SetMainMenu(nullptr);
    }

    Responder responder{{"open:", "save:", "csv:", "copy:"}};
};

} // namespace

TEST_F(MainMenuFixture, KeyEquivalentsNeedExactlyTheirModifiers)
{
    EXPECT_TRUE(MenuDriver::PressKey("o", kCommandKeyMask));
    EXPECT_FALSE(MenuDriver::PressKey("o", kCommandKeyMask | kShiftKeyMask));
    EXPECT_FALSE(MenuDriver::PressKey("o", 0));
    EXPECT_TRUE(MenuDriver::PressKey("S", kCommandKeyMask | kShiftKeyMask));
    EXPECT_FALSE(MenuDriver::PressKey("s", kCommandKeyMask));
    EXPECT_TRUE(MenuDriver::PressKey("e", kControlKeyMask | kOptionKeyMask | 0x100)); // other bits ignored
    EXPECT_EQ(responder.log, (std::vector<std::string>{"open: Open", "save: Save", "csv: CSV"}));
}

TEST_F(MainMenuFixture, AnUpperCaseEquivalentAsksForShift)
{
    auto item = MenuDriver::Find({"Edit", "Copy"});
    ASSERT_TRUE(item);
    item->SetKeyEquivalent("C");
    EXPECT_FALSE(MenuDriver::PressKey("c", kCommandKeyMask));
    EXPECT_TRUE(MenuDriver::PressKey("c", kCommandKeyMask | kShiftKeyMask));
}

// A key other than a letter is the character the keys type: Ctrl+Shift+2 arrives as "@" with
// Shift held on a US layout, Ctrl+Shift+slash as "?".
TEST_F(MainMenuFixture, KeysOtherThanLettersAreTheCharactersTyped)
{
    auto edit = MenuDriver::Find({"Edit"})->Submenu();
    for (const char* key : {"@", "2", "?", "/"})
        edit->Add(MenuItem::Make(std::string("Key ") + key, "copy:", key));
    constexpr uint32_t cmd = kCommandKeyMask, shift = kShiftKeyMask;
    const std::tuple<const char*, uint32_t, std::string> rows[] = {
        {"@", cmd | shift, "copy: Key @"}, {"@", cmd, "copy: Key @"}, {"2", cmd, "copy: Key 2"},
        {"2", cmd | shift, "copy: Key 2"}, {"?", cmd | shift, "copy: Key ?"}, {"/", cmd, "copy: Key /"},
        {"@", cmd | kOptionKeyMask, ""}, {"@", shift, ""}, {"c", cmd, "copy: Copy"}, {"C", cmd | shift, ""},
        {"S", cmd | shift, "save: Save"}, {"s", cmd | shift, "save: Save"}, {"S", cmd, ""},
    };
    for (const auto& [pressed, flags, chosen] : rows) {
        responder.log.clear();
        EXPECT_EQ(MenuDriver::PressKey(pressed, flags), !chosen.empty()) << pressed << " " << std::hex << flags;
        EXPECT_EQ(responder.log, chosen.empty() ? std::vector<std::string>{} : std::vector<std::string>{chosen})
            << pressed << " " << std::hex << flags;
    }
}

TEST_F(MainMenuFixture, DisabledOrRefusedItemsTakeNoKeyAndCannotBeChosen)
{
    auto bar = MainMenu();
    auto file = MenuDriver::Find({"File"})->Submenu();
    file->SetAutoenablesItems(false);
    MenuDriver::Find({"File", "Open"})->SetEnabled(false);
    EXPECT_FALSE(MenuDriver::PressKey("o", kCommandKeyMask));
    EXPECT_FALSE(MenuDriver::Choose({"File", "Open"}));

    file->SetAutoenablesItems(true);
    responder.refused = "Open";
    EXPECT_FALSE(MenuDriver::Choose({"File", "Open"}));
    EXPECT_FALSE(MenuDriver::Find({"File", "Open"})->IsEnabled());
    responder.refused.clear();
    EXPECT_TRUE(MenuDriver::Choose({"File", "Open"}));
    EXPECT_FALSE(MenuDriver::Choose({"File", "Export"})); // opens a submenu: nothing to send
    EXPECT_FALSE(MenuDriver::Choose({"File", "Missing"}));
    EXPECT_EQ(responder.log, (std::vector<std::string>{"open: Open"}));
}

TEST_F(MainMenuFixture, ATargetedItemGoesToItsTargetOnly)
{
    Responder own({"open:"});
    MenuDriver::Find({"File", "Open"})->SetTarget(&own);
    EXPECT_TRUE(MenuDriver::Choose({"File", "Open"}));
    EXPECT_EQ(own.log, (std::vector<std::string>{"open: Open"}));
    EXPECT_TRUE(responder.log.empty());

    Responder deaf({});
    MenuDriver::Find({"File", "Open"})->SetTarget(&deaf);
    EXPECT_FALSE(MenuDriver::Choose({"File", "Open"})); // autoenabling disables it
}

TEST_F(MainMenuFixture, ChoosingTellsObserversTrackingFirstAndTheActionAfter)
{
    std::vector<std::string> events;
    const int a = AddMenuObserver(MenuEvent::BeginTracking, MainMenu().get(),
                                  [&](MenuEvent, Menu*, MenuItem*) { events.push_back("track"); });
    const int b = AddMenuObserver(MenuEvent::DidSendAction, nullptr, [&](MenuEvent, Menu* menu, MenuItem* item) {
        events.push_back("sent " + menu->Title() + "/" + item->Title());
    });
    EXPECT_TRUE(MenuDriver::Choose({"Edit", "Copy"}));
    EXPECT_TRUE(MenuDriver::PressKey("o", kCommandKeyMask));
    RemoveMenuObserver(a);
    RemoveMenuObserver(b);
    EXPECT_TRUE(MenuDriver::Choose({"Edit", "Copy"}));
    EXPECT_EQ(events, (std::vector<std::string>{"track", "sent Edit/Copy", "sent File/Open"}));
}

TEST_F(MainMenuFixture, AnObserverRemovedByAnotherIsNotToldAnyMore)
{
    int second = 0;
    int calls = 0;
    AddMenuObserver(MenuEvent::BeginTracking, nullptr, [&](MenuEvent, Menu*, MenuItem*) {
        ++calls;
        RemoveMenuObserver(second);
    });
    second = AddMenuObserver(MenuEvent::BeginTracking, nullptr, [&](MenuEvent, Menu*, MenuItem*) { calls += 100; });
    PostMenuEvent(MenuEvent::BeginTracking, nullptr, nullptr);
    EXPECT_EQ(calls, 1);
    RemoveMenuObserver(second - 1);
}

TEST_F(MainMenuFixture, DescribeReadsTheMenusBack)
{
    MenuDriver::Find({"Edit", "Copy"})->SetState(1);
    MenuDriver::Find({"File"})->Submenu()->SetAutoenablesItems(false);
    MenuDriver::Find({"File", "Open"})->SetEnabled(false);
    EXPECT_EQ(MenuDriver::Describe(*MainMenu()),
              "File\n  Open [mo] disabled\n  Save [sms]\n  -\n  Export\n    CSV [coe]\n"
              "Edit\n  Copy [mc] checked\n");
}

TEST(Menu, ASubmenuBelongsToOneItemAndItemsToOneMenu)
{
    auto sub = Menu::Make("Sub");
    auto first = MenuItem::Make("First");
    auto second = MenuItem::Make("Second");
    first->SetSubmenu(sub);
    second->SetSubmenu(sub);
    EXPECT_FALSE(first->HasSubmenu());
    EXPECT_EQ(sub->OwnerItem(), second.get());

    auto a = Menu::Make("A");
    auto b = Menu::Make("B");
    a->Add(second);
    EXPECT_EQ(sub->Supermenu(), a.get());
    b->Insert(second, 99);
    EXPECT_EQ(a->Count(), 0u);
    EXPECT_EQ(b->IndexOf(second.get()), 0);
    EXPECT_EQ(b->IndexOfSubmenu(sub.get()), 0);
    b->RemoveAt(5); // past the end: nothing
    b->Remove(second.get());
    EXPECT_EQ(second->ParentMenu(), nullptr);
    second.reset();
    EXPECT_EQ(sub->OwnerItem(), nullptr);
}
