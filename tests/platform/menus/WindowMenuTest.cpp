// The Window menu lists the program's windows and brings one forward; Hide iconifies them all
// and Show All brings them back; Help opens the README beside the program or says why not.
#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/WindowMenu.h"
#include "platform/system/BundleInfo.h"
#include "platform/system/HelpFile.h"
#include "platform/system/UrlLauncher.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"
#include "tests/support/TempHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace plat;

namespace {

Ref<Window> Titled(const std::string& title, double x)
{
    Ref<Window> window = Window::Make(Rect{x, 100, 200, 100}, kStyleTitled | kStyleClosable);
    window->SetTitle(title);
    window->MakeKeyAndOrderFront();
    return window;
}

struct MenuLine {
    std::string title;
    int state;
    bool operator==(const MenuLine&) const = default;
};

std::vector<MenuLine> Lines(const Menu& menu, size_t first)
{
    std::vector<MenuLine> lines;
    for (size_t i = first; i < menu.Count(); ++i)
        lines.push_back({menu.ItemAt(i)->Title(), menu.ItemAt(i)->State()});
    return lines;
}

class WindowMenuTest : public testing::Test {
protected:
    void SetUp() override { Application::Shared().Reset(); }
    void TearDown() override { Application::Shared().SetDelegate(nullptr); }
    WindowTestDriver fDriver;
};

} // namespace

TEST_F(WindowMenuTest, ListsTitledWindowsFrontToBackAfterTheMenusOwnItems)
{
    auto a = Titled("a.snx", 0);
    auto b = Titled("b.snx", 300);
    auto popUp = Window::Make(Rect{0, 0, 50, 50}, kStyleBorderless);
    popUp->SetLevel(kLevelPopUpMenu);
    popUp->OrderFront();
    auto menu = Menu::Make("Window");
    menu->Add(MenuItem::Make("Own"));
    menu->Add(MenuItem::Make("stale"));
    WindowMenu::Fill(*menu, 1);
    EXPECT_EQ(menu->ItemAt(0)->Title(), "Own");
    EXPECT_EQ(Lines(*menu, 1), (std::vector<MenuLine>{{"b.snx", 1}, {"a.snx", 0}})) << "the key window checked";
    WindowMenu::Fill(*menu, 1);
    EXPECT_EQ(menu->Count(), 3u) << "filled again, not twice";
    b->OrderOut();
    WindowMenu::Fill(*menu, 1);
    EXPECT_EQ(Lines(*menu, 1), (std::vector<MenuLine>{{"a.snx", 1}}));
}

TEST_F(WindowMenuTest, ChoosingAnItemBringsItsWindowForwardAndKey)
{
    auto a = Titled("a.snx", 0);
    auto b = Titled("b.snx", 300);
    auto menu = Menu::Make("Window");
    WindowMenu::Fill(*menu, 0);
    ASSERT_EQ(menu->Count(), 2u);
    Application::Shared().Perform(kOrderFrontWindowAction, menu->ItemAt(1).get());
    EXPECT_TRUE(a->IsKey());
    EXPECT_EQ(fDriver.OnScreen().front(), a->Number());
    auto stale = MenuItem::Make("gone", std::string(kOrderFrontWindowAction));
    stale->SetTag(99999);
    Application::Shared().Perform(kOrderFrontWindowAction, stale.get());  // no such window: nothing
    EXPECT_TRUE(a->IsKey());
}

TEST_F(WindowMenuTest, HideIconifiesEveryWindowAndShowAllBringsThemBackWithTheKeyboard)
{
    auto a = Titled("a.snx", 0);
    auto b = Titled("b.snx", 300);
    Application::Shared().Perform("hide:", nullptr);
    EXPECT_TRUE(a->IsMiniaturized() && b->IsMiniaturized());
    EXPECT_EQ(fDriver.KeyWindow(), nullptr) << "an icon takes no keys";
    Application::Shared().Perform("unhideAllApplications:", nullptr);
    EXPECT_FALSE(a->IsMiniaturized() || b->IsMiniaturized());
    EXPECT_TRUE(b->IsKey()) << "the front window";
    EXPECT_FALSE(Application::Shared().RespondsTo("hideOtherApplications:")) << "no other programs to hide";
}

TEST_F(WindowMenuTest, HelpOpensTheReadmeBesideTheProgramOrSaysWhyNot)
{
    struct Delegate : ApplicationDelegate {
        void HelpNotShown(HelpProblem problem, const std::string& path) override
        {
            told.push_back((problem == HelpProblem::Missing ? "missing " : "no opener ") + path);
        }
        std::vector<std::string> told;
    } delegate;
    Application::Shared().SetDelegate(&delegate);
    TempHome home;
    const std::string folder = home.path() + "/program";
    std::filesystem::create_directories(folder);
    SetMainBundleFolder(folder);
    std::vector<std::string> opened;
    UrlLauncher::SetRecorder([&](const std::string& url) { opened.push_back(url); });
    Application::Shared().Perform("showHelp:", nullptr);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(delegate.told, std::vector<std::string>{"missing " + folder + "/README.md"});
    std::ofstream(folder + "/README.md") << "# Sonalyx\n";
    Application::Shared().Perform("showHelp:", nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{folder + "/README.md"});
    EXPECT_EQ(delegate.told.size(), 1u);
    UrlLauncher::SetRecorder({});
    const char* path = std::getenv("PATH");
    const std::string oldPath = path ? path : "";
    setenv("PATH", folder.c_str(), 1);  // no opener there
    Application::Shared().Perform("showHelp:", nullptr);
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(delegate.told.back(), "no opener " + folder + "/README.md");
    SetMainBundleFolder("");
}
