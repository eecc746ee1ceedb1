#include "platform/menus/MenuDriver.h"
#include "platform/system/BundleInfo.h"
#include "tests/foundation/TempFiles.h"
#include "tests/ui/menus/MenuTestKit.h"
#include "ui/menus/FrameMenus.h"
#include "ui/menus/LEditMenuBridge.h"

#include <fstream>

namespace {

// Stands in for the application delegate: a chosen native item names its framework entry.
class Chooser final : public plat::ActionResponder {
public:
    explicit Chooser(LMenuBar& bar) : fBar(bar) { plat::SetNilTargetResolver(&Resolve, this); }
    ~Chooser() override { plat::SetNilTargetResolver(nullptr, nullptr); }
    bool RespondsTo(std::string_view action) const override { return action == "menuitemchoosen:"; }
    void Perform(std::string_view, plat::MenuItem* sender) override
    {
        if (LMenuItem* item = fBar.SelectNativeItem(sender))
            chosen.emplace_back(item->title.View());
    }
    std::vector<std::string> chosen;

private:
    static plat::ActionResponder* Resolve(void* context, std::string_view) { return static_cast<Chooser*>(context); }
    LMenuBar& fBar;
};

// A bar of one menu "KEYS" with entries whose keys and titles the tests vary.
class NativeBridge : public MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        resources.Add(kStrListMenuBar, 128, "KEYBAR", StrListBytes({"KEYS", "WINDOW", "HELP"}));
        resources.Add(kStrListMenu, 128, "KEYS",
                      StrListBytes({"KEYS\nKeys", "cPlain\nPlain\nnA", "cShift\nShift\nsS", "cCtl\nControl\nconK",
                                    "cGone\nGone\n", "cSub\nMore\n\nSUB"}));
        resources.Add(kStrListMenu, 129, "SUB", StrListBytes({"SUB\nMore", "cDeep\nDeep\nD"}));
        resources.Add(kStrListMenu, 130, "WINDOW", StrListBytes({"WINDOW\nWindow"}));
        resources.Add(kStrListMenu, 131, "HELP", StrListBytes({"HELP\nHelp", "LStdCmd_Help\nHelp Me\n"}));
        resources.Add(kStrListMenu, 132, "EXTRA", StrListBytes({"EXTRA\nExtra", "cX\nX\n"}));
        resources.Add(kStrListMenu, 133, "EXTRA2", StrListBytes({"EXTRA2\nExtra 2", "cY\nY\n"}));
    }
    std::string Keys(LMenuBar& bar)
    {
        bar.UpdateNative();
        return plat::MenuDriver::Describe(*bar.FindMenu("KEYS")->Native());
    }
    std::vector<std::string> BarTitles()
    {
        std::vector<std::string> titles;
        for (size_t i = 0; i < plat::MainMenu()->Count(); ++i)
            titles.push_back(plat::MainMenu()->ItemAt(i)->Title());
        return titles;
    }

    MemResourceSource resources;
};

} // namespace

TEST_F(NativeBridge, KeysAndModifiersReachTheNativeItems)
{
    LMenuBar bar(&app, "KEYBAR", &resources);
    bar.ResetItems();
    bar.EnableCommand("cPlain");
    bar.EnableCommand("cShift");
    bar.EnableCommand("cSub");
    bar.CheckCommand("cShift");
    EXPECT_EQ(Keys(bar), "Plain [a]\nShift [sms] checked\nControl [cok] disabled\nGone disabled\nMore\n"
                         "  Deep [md] disabled\n");
    Chooser chooser(bar);
    EXPECT_TRUE(plat::MenuDriver::PressKey("a", 0));
    EXPECT_FALSE(plat::MenuDriver::PressKey("a", plat::kCommandKeyMask));
    EXPECT_TRUE(plat::MenuDriver::PressKey("S", plat::kCommandKeyMask | plat::kShiftKeyMask));
    EXPECT_FALSE(plat::MenuDriver::PressKey("k", plat::kControlKeyMask | plat::kOptionKeyMask)); // disabled
    EXPECT_EQ(chooser.chosen, (std::vector<std::string>{"Plain", "Shift"}));
    LMenuItem* deep = bar.FindMenu("SUB")->ItemAt(0);
    deep->modifiers |= LMenuItem::kModNoKey;
    EXPECT_EQ(Keys(bar).substr(Keys(bar).find("  Deep")), "  Deep disabled\n");
    const std::string before = Keys(bar);
    { LEditMenuBridge bridge; } // a bridge without an edit menu changes nothing
    EXPECT_EQ(Keys(bar), before);
}

TEST_F(NativeBridge, AnEntryWhoseTitleEmptiesBecomesASeparatorAndBack)
{
    LMenuBar bar(&app, "KEYBAR", &resources);
    LMenuItem* gone = bar.FindMenu("KEYS")->ItemAt(3);
    gone->defaultTitle = LStringRef();
    bar.ResetItems();
    EXPECT_NE(Keys(bar).find("Control [cok] disabled\n-\nMore"), std::string::npos);
    gone->defaultTitle = LStringRef("Back");
    bar.ResetItems();
    bar.EnableCommand("cGone");
    EXPECT_NE(Keys(bar).find("Control [cok] disabled\nBack\nMore"), std::string::npos);
    const auto native = bar.FindMenu("KEYS")->Native()->ItemAt(3);
    EXPECT_EQ(native->Action(), "menuitemchoosen:");
    EXPECT_EQ(bar.SelectNativeItem(native.get()), gone);
}

TEST_F(NativeBridge, TheHelpItemAsksTheApplicationAndFrameMenusEnterBeforeWindow)
{
    LMenuBar bar(&app, "KEYBAR", &resources);
    EXPECT_EQ(bar.FindMenu("HELP")->Native()->ItemAt(0)->Action(), "showHelp:");

    LList frameMenus;
    std::vector<LMenu*> installed;
    LStrList extra({0, "EXTRA"}, &resources, kStrListMenu);
    LStrList extra2({0, "EXTRA2"}, &resources, kStrListMenu);
    LMenu first(nullptr, extra, &resources);
    LMenu second(nullptr, extra2, &resources);
    frameMenus.PushBack(&first);
    frameMenus.PushBack(&second);
    InstallFrameMenus(frameMenus, installed);
    EXPECT_EQ(BarTitles(), (std::vector<std::string>{"%0", "Keys", "Extra", "Extra 2", "Window", "Help"}));
    RemoveFrameMenus(frameMenus, installed);
    EXPECT_EQ(BarTitles(), (std::vector<std::string>{"%0", "Keys", "Window", "Help"}));
    EXPECT_EQ(frameMenus.Head(), &first);

    delete bar.FindMenu("WINDOW");
    InstallFrameMenus(frameMenus, installed);
    EXPECT_EQ(BarTitles(), (std::vector<std::string>{"%0", "Keys", "Extra", "Extra 2", "Help"}));
    RemoveFrameMenus(frameMenus, installed);
    delete bar.FindMenu("HELP");
    InstallFrameMenus(frameMenus, installed);
    EXPECT_EQ(BarTitles(), (std::vector<std::string>{"%0", "Keys", "Extra", "Extra 2"}));
    RemoveFrameMenus(frameMenus, installed);
    frameMenus.PopFront();
    frameMenus.PopFront();

    // Before a menu that is not in the bar: at the end.
    first.InsertInMenuBarBefore(&second);
    EXPECT_EQ(BarTitles().back(), "Extra");
    first.RemoveFromMenuBar();
    EXPECT_EQ(BarTitles(), (std::vector<std::string>{"%0", "Keys"}));
}

TEST_F(NativeBridge, WithoutBundleNamesTheApplicationIsCalledApp)
{
    const std::string folder = TempPath("bundle");
    WriteAll(folder + "/Info.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleVersion</key>"
           "<string>2.5</string></dict></plist>");
    plat::SetMainBundleFolder(folder);
    LMenuBar bar(&app, "APP", shipped.get());
    plat::SetMainBundleFolder("");
    const auto& appMenu = bar.FindMenu("APPMENU")->Native();
    EXPECT_EQ(appMenu->ItemAt(6)->Title(), "Hide App");
    EXPECT_EQ(appMenu->ItemAt(9)->Title(), "Quit App");
    EXPECT_EQ(plat::BundleValue(folder, "CFBundleVersion"), "2.5");
    EXPECT_EQ(plat::BundleValue(folder, "CFBundleName"), std::nullopt);
}

TEST_F(NativeBridge, TheEditBridgeLendsTheEditItemsToTheSystemAndGivesThemBack)
{
    LMenuBar bar(&app, "APP", shipped.get());
    const auto& edit = bar.FindMenu("EDIT")->Native();
    {
        LEditMenuBridge bridge;
        EXPECT_TRUE(edit->AutoenablesItems());
        for (auto [i, action] : {std::pair<size_t, const char*>{0, "undo:"}, {1, "redo:"}, {3, "cut:"}, {6, "delete:"}})
            EXPECT_EQ(edit->ItemAt(i)->Action(), action) << i;
    }
    EXPECT_FALSE(edit->AutoenablesItems());
    for (size_t i : {0, 1, 3, 4, 5, 6})
        EXPECT_EQ(edit->ItemAt(i)->Action(), "menuitemchoosen:") << i;
}
