#include "platform/menus/MenuDriver.h"
#include "tests/ui/menus/MenuTestKit.h"
#include "tests/ui/panes/PaneTestKit.h"
#include "ui/frames/LFrame.h"
#include "ui/menus/LMenuTracer.h"

#include <tuple>
#include <vector>

namespace {

std::vector<std::string> Titles(const LMenu& menu)
{
    std::vector<std::string> titles;
    for (SSLink* link : menu.Items())
        titles.emplace_back(static_cast<LMenuItem*>(link)->title.View());
    return titles;
}

std::vector<std::string> Titles(const LMenuBar& bar)
{
    std::vector<std::string> titles;
    for (SSLink* link : bar.Menus())
        titles.push_back(static_cast<LMenu*>(link)->Name().Text());
    return titles;
}

// A handler on the command chain that enables its commands while the bar gets ready and
// notes what it is asked to run.
class CommandHandler : public LHandler {
public:
    CommandHandler(LHandler* parent, std::vector<std::string> commands, std::string title = {})
        : LHandler(parent), fCommands(std::move(commands)), fTitle(std::move(title))
    {
    }
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, LMenuBar::msgReady)) {
            for (const auto& command : fCommands)
                static_cast<LMenuBar*>(msg.subject)->EnableCommand(command.c_str(), LStringRef(fTitle.c_str()));
        }
        if (StrEqual(msg.type, LMenuItem::msgSelected)) {
            auto* item = static_cast<LMenuItem*>(msg.subject);
            for (const auto& command : fCommands)
                if (item->HasCommand(command.c_str())) {
                    chosen.push_back(command);
                    LMessage::Clear(result);
                    return;
                }
        }
        LHandler::HandleMessage(result, msg);
    }
    std::vector<std::string> chosen;

private:
    std::vector<std::string> fCommands;
    std::string fTitle;
};

// Menu readiness as the application runs it: reset, then "LMenuBar_Ready" from the target.
void MakeReady(LMenuBar& bar, LHandler* target)
{
    bar.ResetItems();
    LMessage::Send(LMessage(LMenuBar::msgReady, &bar, target));
}

} // namespace

TEST_F(MenuFixture, TheShippedBarHasItsMenusTitlesAndKeys)
{
    LMenuBar bar(&app, "APP", shipped.get());
    std::vector<std::string> names;
    for (SSLink* link : bar.Menus())
        names.emplace_back(static_cast<LMenu*>(link)->Name().View());
    EXPECT_EQ(names, (std::vector<std::string>{"APPMENU", "FILE", "EDIT", "DISPLAY", "ANALYSIS", "FADERS", "WINDOW", "HELP"}));

    LMenu* edit = bar.FindMenu("EDIT");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Title(), "Edit");
    EXPECT_EQ(Titles(*edit), (std::vector<std::string>{"Undo", "Redo", "", "Cut", "Copy", "Paste", "Delete"}));
    const LMenuItem* redo = edit->ItemAt(1);
    EXPECT_EQ(std::tuple(std::string(redo->keyText.View()), int(redo->keyChar), uint32_t(redo->modifiers), redo->hasKey),
              std::tuple(std::string("sZ"), int('Z'), uint32_t(LMenuItem::kModShift), true));
    EXPECT_FALSE(edit->ItemAt(6)->hasKey);
    EXPECT_TRUE(edit->ItemAt(6)->HasCommand("LStdCmd_Delete"));

    LMenu* zoom = bar.FindMenu("VIEW"); // a submenu, found depth first
    ASSERT_TRUE(zoom);
    EXPECT_EQ(zoom->ItemAt(2)->GetCommandName(), "CAppCmd_Zm");
    EXPECT_EQ(zoom->ItemAt(2)->ParamText(), "4");
    LMenu* parent = nullptr;
    EXPECT_EQ(bar.FindMenuPosition(zoom, &parent), 6);
    EXPECT_EQ(parent, bar.FindMenu("DISPLAY"));
    EXPECT_EQ((std::pair{bar.FindMenuPosition(edit, &parent), parent}), std::pair(2, static_cast<LMenu*>(nullptr)));
}

TEST_F(MenuFixture, TheApplicationMenuTakesOverTheProgramsAndKeepsQuitNative)
{
    LMenuBar bar(&app, "APP", shipped.get());
    LMenu* appMenu = bar.FindMenu("APPMENU");
    ASSERT_TRUE(appMenu);
    // The separator above Quit went with it; Quit stays as a framework entry.
    EXPECT_EQ(Titles(*appMenu), (std::vector<std::string>{"About Sonalyx", "", "View Fonts…", "Colours…",
                                                         "MIDI Output…", "Assign Menu Shortcut…", "Quit Sonalyx"}));
    const auto main = plat::MainMenu();
    ASSERT_EQ(main->Count(), 8u);
    EXPECT_EQ(main->ItemAt(0)->Submenu(), appMenu->Native());
    EXPECT_EQ(main->ItemAt(1)->Title(), "File");
    // Six framework items, then the program's own: the name filled in, the system's Quit.
    ASSERT_EQ(appMenu->Native()->Count(), 10u);
    EXPECT_EQ(appMenu->Native()->ItemAt(6)->Title(), "Hide Sonalyx");
    EXPECT_EQ(appMenu->Native()->ItemAt(7)->Title(), "Show All");
    EXPECT_EQ(appMenu->Native()->ItemAt(9)->Title() + " " + appMenu->Native()->ItemAt(9)->Action(), "Quit Sonalyx terminate:");

    bar.EnableCommand("LStdCmd_Quit");
    bar.UpdateNative();
    EXPECT_EQ(appMenu->Native()->ItemAt(6)->Title(), "Hide Sonalyx"); // untouched by the hidden Quit
    EXPECT_EQ(bar.SelectCommand("LStdCmd_Quit"), appMenu->ItemAt(6));
}

TEST_F(MenuFixture, ReadinessClimbsTheChainAndEndsInTheNativeMenus)
{
    LMenuBar bar(&app, "APP", shipped.get());
    CommandHandler appCommands(nullptr, {"LStdCmd_New", "LStdCmd_Quit"});
    app.SetParent(&appCommands);
    CommandHandler window(&app, {"LStdCmd_Close", "LStdCmd_Save"});
    CommandHandler pane(&window, {"LStdCmd_Copy", "LStdCmd_Save"}, "Save Pane");

    MakeReady(bar, &pane);
    EXPECT_EQ(Item(bar, "FILE", 4)->title, "Save Pane"); // the first title stays
    EXPECT_TRUE(Item(bar, "FILE", 3)->enabled);
    EXPECT_FALSE(Item(bar, "FILE", 1)->enabled);
    const std::string file = plat::MenuDriver::Describe(*bar.FindMenu("FILE")->Native());
    EXPECT_EQ(file.substr(0, file.find("Record")),
              "New [mn]\nOpen… [mo] disabled\n-\nClose [mw]\nSave Pane [ms]\nSave As… [sms] disabled\n-\n");

    // Chosen natively: the entry behind the native item goes to the command target.
    auto native = bar.FindMenu("FILE")->Native()->ItemAt(4);
    LMenuItem* item = bar.SelectNativeItem(native.get());
    ASSERT_EQ(item, Item(bar, "FILE", 4));
    LMessage::Send(LMessage(LMenuItem::msgSelected, item, &pane));
    EXPECT_EQ(pane.chosen, (std::vector<std::string>{"LStdCmd_Save"}));
    EXPECT_TRUE(window.chosen.empty());

    MakeReady(bar, &window); // from another target the pane's commands are off again
    EXPECT_EQ(Item(bar, "FILE", 4)->title, "Save");
    EXPECT_FALSE(Item(bar, "EDIT", 4)->enabled);
    EXPECT_EQ(bar.SelectCommand("LStdCmd_Copy"), nullptr);
    app.SetParent(nullptr);
}

TEST_F(MenuFixture, ChecksKeepDisabledAndKeysFindOnlyEnabledLeaves)
{
    LMenuBar bar(&app, "APP", shipped.get());
    bar.ResetItems();
    bar.EnableCommand("CAppCmd_Zm");
    bar.EnableCommand("CAppCmd_Log", LStringRef("Stop Recording"), LMenuBar::KeepDisabled::Yes);
    EXPECT_FALSE(Item(bar, "FILE", 7)->enabled);
    EXPECT_EQ(Item(bar, "FILE", 7)->title, "Stop Recording");

    EXPECT_TRUE(bar.CheckCommand("CAppCmd_Zm", LStringRef("4×")));
    LMenu* zoom = bar.FindMenu("VIEW");
    EXPECT_EQ(std::pair(int(zoom->ItemAt(1)->checked), int(zoom->ItemAt(2)->checked)), std::pair(0, 1));
    EXPECT_TRUE(bar.CheckCommand("CAppCmd_Zm"));
    EXPECT_EQ(zoom->ItemAt(1)->checked, 1);
    EXPECT_FALSE(bar.CheckCommand("CAppCmd_Zm", LStringRef("3×")));

    // The Zoom entry carries the command too, so its submenu is searched; its first item wins.
    EXPECT_EQ(bar.SelectCommand("CAppCmd_Zm"), zoom->ItemAt(0));
    bar.ResetItems();
    EXPECT_EQ(bar.SelectCommand("CAppCmd_Zm"), nullptr);
    bar.EnableCommand("CAppCmd_Zm"); // already enabled items stay as they are
    bar.EnableCommand("LStdCmd_Undo");
    EXPECT_EQ(bar.SelectKey("Z"), Item(bar, "EDIT", 0));
    EXPECT_EQ(bar.SelectKey("sZ"), nullptr);
}

TEST_F(MenuFixture, ARedirectTargetCatchesEverySelectionAndItemsAddedInOnePassMakeOneUpdate)
{
    LMenuBar bar(&app, "APP", shipped.get());
    bar.ResetItems();
    bar.EnableCommand("LStdCmd_Open");
    RecordingHandler catcher(nullptr, "LMenuItem_Selected");
    LMenuBar::SetCommandTarget(&catcher);
    EXPECT_EQ(bar.SelectCommand("LStdCmd_Open"), nullptr);
    LMenuBar::SetCommandTarget(nullptr);
    EXPECT_EQ(catcher.seen, (std::vector<std::string>{"LMenuItem_Selected"}));
    EXPECT_EQ(bar.SelectCommand("LStdCmd_Open"), Item(bar, "FILE", 1));
    RunTimers();
    app.seen.clear();
    LMenu* window = bar.FindMenu("WINDOW");
    for (int i = 0; i < 10; ++i)
        window->MakeItem(LStringRef("cWin\nDocument\n\n"), UINT32_MAX, shipped.get());
    EXPECT_TRUE(app.seen.empty());
    RunTimers();
    EXPECT_EQ(app.seen, (std::vector<std::string>{"LMenuBar_Added"}));
    EXPECT_EQ(window->Native()->Count(), 10u);
    EXPECT_EQ(window->Native()->ItemAt(9)->Title(), "Document");
}

TEST_F(MenuFixture, TheTracerFindsTheMenuAndTheBarAboveAHandlerAndADeletedMenuLeavesTheBar)
{
    LMenuBar bar(&app, "APP", shipped.get());
    LMenu* zoom = bar.FindMenu("VIEW");
    LMenuBar* found = nullptr;
    EXPECT_EQ(LMenuTracer::Trace(zoom->ItemAt(0), "DISPLAY", &found), bar.FindMenu("DISPLAY"));
    EXPECT_EQ(found, &bar);
    EXPECT_EQ(LMenuTracer::Trace(zoom->ItemAt(0), "", nullptr), zoom);
    EXPECT_EQ(LMenuTracer::Trace(zoom->ItemAt(0), "NONE", &found), nullptr);
    LMenu* faders = bar.FindMenu("FADERS");
    const size_t registered = LMenu::Registry().size();
    delete faders;
    EXPECT_EQ(bar.FindMenu("FADERS"), nullptr);
    EXPECT_EQ(plat::MainMenu()->Count(), 7u);
    EXPECT_EQ(LMenu::Registry().size(), registered - 1);
}

TEST(LMenuBar, ASelfNamingSubmenuListEndsAndBadListsBuildNothing)
{
    MemResourceSource resources;
    resources.Add(kStrListMenuBar, 128, "LOOP", StrListBytes({"LOOPY", "MISSING"}));
    resources.Add(kStrListMenu, 128, "LOOPY", StrListBytes({"LOOPY\nLoop", "cAgain\nAgain\n\nLOOPY", "cBad\nBad\ncx"}));
    RecordingHandler app;
    LMenuBar bar(&app, "LOOP", &resources);
    LMenu* loop = bar.FindMenu("LOOPY");
    ASSERT_TRUE(loop);
    int depth = 0;
    for (LMenu* menu = loop; menu; menu = menu->ItemAt(0)->submenu)
        ++depth;
    EXPECT_EQ(depth, 9);
    EXPECT_EQ(loop->ItemAt(1)->keyChar, 0); // a lower-case key does not parse
    EXPECT_TRUE(loop->ItemAt(1)->hasKey);
    EXPECT_EQ(bar.Menus().Count(), 2u);     // a missing list gives an empty menu
}

TEST_F(MenuFixture, AFramesMenusVisitTheBarWhileItsWindowIsActive)
{
    LMenuBar bar(&app, "APP", shipped.get());
    const std::vector<std::string> plain = Titles(bar);
    ASSERT_FALSE(plain.empty());
    ConsumingRecorder top;
    LFrame frame(&top, nullptr);
    LStrList list({0, "FFTSIZE"}, shipped.get(), kStrListMenu);
    frame.Menus().PushBack(new LMenu(nullptr, list, shipped.get()));

    frame.InstallMenus();
    std::vector<std::string> with = Titles(bar);
    EXPECT_EQ(with.size(), plain.size() + 1);
    EXPECT_NE(std::find(with.begin(), with.end(), "FFTSIZE"), with.end());
    frame.RemoveMenus();
    EXPECT_EQ(Titles(bar), plain);
    EXPECT_EQ(frame.Menus().Count(), 1u) << "the menu is back in the frame's list";
    frame.InstallMenus();
}
