// The menu bar drawn into document windows and the menus it opens, in the headless window system.
#include "platform/draw/Bitmap.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "platform/app/Application.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

class Counter final : public ActionResponder {
public:
    bool RespondsTo(std::string_view action) const override { return action == "open:" || action == "save:"; }
    void Perform(std::string_view action, MenuItem*) override { performed.emplace_back(action); }
    bool ValidateMenuItem(const MenuItem& item) const override { return item.Action() != "save:" || canSave; }
    std::vector<std::string> performed;
    bool canSave = false;
};

class MenuBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::shared_ptr<Menu> file = Menu::Make("File");
        for (auto item : {MenuItem::Make("Open", "open:", "o"), MenuItem::MakeSeparator(), MenuItem::Make("Save", "save:", "S")}) {
            item->SetTarget(item->IsSeparator() ? nullptr : &fCounter);
            file->Add(item);
        }
        std::shared_ptr<Menu> edit = Menu::Make("Edit");
        edit->Add(MenuItem::Make("Copy", "copy:", "c"));
        std::shared_ptr<Menu> main = Menu::Make("Main");
        for (auto& menu : {file, edit}) {
            auto owner = MenuItem::Make(menu->Title());
            owner->SetSubmenu(menu);
            main->Add(owner);
        }
        SetMainMenu(main);
        fTracking = AddMenuObserver(MenuEvent::BeginTracking, nullptr, [this](MenuEvent, Menu*, MenuItem*) { ++fReady; });
        fDoc = Window::Make(Rect{100, 100, 400, 200}, kStyleTitled | kStyleClosable | kStyleResizable);
        fDoc->SetShowsMenuBar(true);
        fDoc->MakeKeyAndOrderFront();
    }
    void TearDown() override
    {
        MenuTracking::Shared().Close();
        RemoveMenuObserver(fTracking);
        SetMainMenu(nullptr);
    }
    // A screen point over a bar title of the document.
    Point Title(int index) const
    {
        const MenuBar::Title title = MenuBar::Titles().at(size_t(index));
        return Point{100 + title.x + 5, 300 + 11};
    }
    // A screen point over a row of the open menu.
    Point Row(int row) const
    {
        const Rect frame = MenuTracking::Shared().MenuWindow()->Frame();
        const double top = row == 0 ? 1 : row == 1 ? 21 : 30;
        return Point{frame.x + 30, frame.y + frame.height - top - 4};
    }

    WindowTestDriver fDriver;
    Counter fCounter;
    int fTracking = 0;
    int fReady = 0;
    Ref<Window> fDoc;
};

TEST(MenuBarShortcuts, ReadAsLinuxUsersReadThem)
{
    const std::tuple<const char*, uint32_t, const char*> rows[] = {
        {"s", kCommandKeyMask, "Ctrl+S"},
        {"z", kCommandKeyMask | kShiftKeyMask, "Ctrl+Shift+Z"},
        {" ", kOptionKeyMask, "Alt+Space"},
        {"k", kControlKeyMask | kCommandKeyMask, "Ctrl+Super+K"},
        {"", kCommandKeyMask, ""},
    };
    for (const auto& [key, mask, text] : rows)
        EXPECT_EQ(MenuBar::ShortcutText(key, mask), text) << key;
    EXPECT_EQ(MenuBar::ShortcutText(*MenuItem::Make("Redo", "redo:", "Z")), "Ctrl+Shift+Z");
}

TEST_F(MenuBarTest, TheBarLiesAboveTheContentInTheImageOutsideTheGeometry)
{
    EXPECT_EQ(fDoc->Frame().height, 200 + TitleBarHeight(fDoc->StyleMask())); // unchanged by the bar
    ASSERT_TRUE(DisplayCycle::Display(*fDoc));
    const Bitmap* image = fDoc->BackingImage();
    ASSERT_EQ(image->Height(), 200 + int(Window::kMenuBarHeight));
    ASSERT_EQ(image->Width(), 400);
    EXPECT_NE(image->Pixel(2, 2), image->Pixel(2, 40));  // the bar's face, not the window's
    EXPECT_EQ(image->Pixel(2, 40), image->Pixel(2, 199)); // the content background below it
    const auto titles = MenuBar::Titles();
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].text, "File");
    EXPECT_EQ(titles[1].x, titles[0].x + titles[0].width);
    EXPECT_EQ(MenuBar::TitleAt(titles[1].x + 1), 1);
    EXPECT_EQ(MenuBar::TitleAt(titles[1].x + titles[1].width + 1), -1);
}

TEST_F(MenuBarTest, APressOnATitleOpensItsMenuUpdatedBelowTheBar)
{
    fDriver.PostMouse(EventType::LeftMouseDown, Title(0));
    ASSERT_EQ(fDriver.DeliverAll(), 1);
    // The router does not see it: the application's delivery hands it to the menus.
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    Ref<Event> press = fDriver.MakeMouse(EventType::LeftMouseDown, Title(0));
    Application::Shared().SendEvent(*press);
    ASSERT_TRUE(MenuTracking::Shared().IsOpen());
    EXPECT_EQ(fReady, 1);
    EXPECT_EQ(MenuTracking::Shared().OpenTitle(*fDoc), 0);
    Window* menu = MenuTracking::Shared().MenuWindow();
    EXPECT_EQ(menu->Level(), kLevelPopUpMenu);
    EXPECT_EQ(menu->Frame().y + menu->Frame().height, 300); // hangs from the bar's bottom edge
    EXPECT_FALSE(menu->IsKey());
    // Save was disabled by its validator when the menu updated.
    EXPECT_FALSE(MenuTracking::Shared().List()->IsChoosable(2));
    EXPECT_TRUE(MenuTracking::Shared().List()->IsChoosable(0));
    EXPECT_FALSE(MenuTracking::Shared().List()->IsChoosable(1)); // the separator
}

TEST_F(MenuBarTest, ReleasingOverAnItemChoosesItAndClosesTheMenu)
{
    auto send = [this](EventType type, Point at) {
        Ref<Event> event = fDriver.MakeMouse(type, at);
        Application::Shared().SendEvent(*event);
    };
    send(EventType::LeftMouseDown, Title(0));
    send(EventType::LeftMouseUp, Title(0));
    EXPECT_TRUE(MenuTracking::Shared().IsOpen()); // released on its title: stays open
    send(EventType::MouseMoved, Row(2));
    send(EventType::LeftMouseDown, Row(2));
    send(EventType::LeftMouseUp, Row(2));         // Save is disabled: nothing happens
    EXPECT_TRUE(MenuTracking::Shared().IsOpen());
    send(EventType::LeftMouseDown, Row(0));
    send(EventType::LeftMouseUp, Row(0));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_EQ(fCounter.performed, (std::vector<std::string>{"open:"}));
    EXPECT_FALSE(fDoc->IsVisible() && MenuTracking::Shared().MenuWindow());
}

TEST_F(MenuBarTest, KeysMoveThroughItemsAndMenusReturnChoosesEscapeCloses)
{
    fCounter.canSave = true;
    Ref<Event> press = fDriver.MakeMouse(EventType::LeftMouseDown, Title(1));
    Application::Shared().SendEvent(*press);
    auto key = [this](const char* characters) {
        Ref<Event> event = fDriver.MakeKey(EventType::KeyDown, characters, characters, 0);
        Application::Shared().SendEvent(*event);
    };
    key("\uF702"); // left: to File
    EXPECT_EQ(MenuTracking::Shared().OpenTitle(*fDoc), 0);
    key("\uF701");
    key("\uF701"); // past the separator to Save
    EXPECT_EQ(MenuTracking::Shared().List()->Highlighted(), 2);
    key("\uF701"); // wraps to Open
    EXPECT_EQ(MenuTracking::Shared().List()->Highlighted(), 0);
    key("\uF700");
    key("\r");
    EXPECT_EQ(fCounter.performed, (std::vector<std::string>{"save:"}));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());

    Application::Shared().SendEvent(*fDriver.MakeMouse(EventType::LeftMouseDown, Title(0)));
    key("q"); // keys belong to the open menu
    key("\x1b");
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_EQ(fCounter.performed.size(), 1u);
}

TEST_F(MenuBarTest, APressOutsideClosesWithoutAChoice)
{
    Application::Shared().SendEvent(*fDriver.MakeMouse(EventType::LeftMouseDown, Title(0)));
    Application::Shared().SendEvent(*fDriver.MakeMouse(EventType::LeftMouseDown, Point{700, 700}));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_TRUE(fCounter.performed.empty());
    // A press on the bar beside the titles belongs to the bar and opens nothing.
    EXPECT_TRUE(MenuTracking::Shared().HandleEvent(*fDriver.MakeMouse(EventType::LeftMouseDown, Point{480, 311})));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
}

TEST_F(MenuBarTest, AnOpenMenuClosesWhenTheProgramLosesTheFocus)
{
    Application::Shared().SetActive(true);
    Application::Shared().SendEvent(*fDriver.MakeMouse(EventType::LeftMouseDown, Title(0)));
    ASSERT_TRUE(MenuTracking::Shared().IsOpen());
    Application::Shared().SetActive(false);
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    Application::Shared().Reset();
}

TEST_F(MenuBarTest, TheHostWindowCarriesTheBarWhileNoDocumentShows)
{
    Application::Shared().Reset();
    MenuBarHost::SetEnabled(true);
    MenuBarHost::Update();
    EXPECT_FALSE(MenuBarHost::HostWindow() && MenuBarHost::HostWindow()->IsVisible());
    fDoc->OrderOut();
    MenuBarHost::Update();
    ASSERT_NE(MenuBarHost::HostWindow(), nullptr);
    EXPECT_TRUE(MenuBarHost::HostWindow()->IsVisible());
    EXPECT_EQ(MenuBarHost::HostWindow()->Title(), "Sonalyx");
    EXPECT_TRUE(MenuBarHost::HostWindow()->ShowsMenuBar());
    fDriver.CloseByUser(*MenuBarHost::HostWindow()); // closing it is quitting
    EXPECT_TRUE(Application::Shared().HasTerminated());
    fDoc->MakeKeyAndOrderFront();
    Application::Shared().Reset();
    MenuBarHost::Update();
    EXPECT_FALSE(MenuBarHost::HostWindow()->IsVisible());
    MenuBarHost::SetEnabled(false);
    EXPECT_EQ(MenuBarHost::HostWindow(), nullptr);
}

} // namespace
} // namespace plat
