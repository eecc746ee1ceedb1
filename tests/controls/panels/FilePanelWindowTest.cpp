#include "tests/controls/panels/FilePanelKit.h"

#include "platform/app/Application.h"
#include "platform/window/WindowServer.h"

#include <sys/stat.h>

namespace {

using Names = std::vector<std::string>;

plat::Ref<plat::FilePanel> OpenPanel(std::optional<std::vector<std::string>> types)
{
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Open);
    panel->SetAllowedFileTypes(std::move(types));
    return panel;
}

// The key window is the modal one and no window shows above it: the question the person
// must answer is not hidden behind the panel it was asked from.
bool ModalInFront()
{
    plat::WindowServer& server = plat::WindowServer::Shared();
    plat::Window* key = server.KeyWindow();
    if (!key || plat::Application::Shared().ModalWindowOnScreen() != key)
        return false;
    for (plat::Window* window : server.OrderedWindows())
        if (window != key && server.IsVisible(*window) && window->Level() > key->Level())
            return false;
    return true;
}

} // namespace

TEST_F(FilePanelTest, TheUserBrowsesAFolderTreeAndOpensAFile)
{
    plat::Ref<plat::FilePanel> panel = OpenPanel(std::vector<std::string>{"snx"});
    Names first, inside, back;
    std::string selectedAfterUp;
    const int answer = Run(*panel, "", {
        [&] { first = Shown(); ClickRow(1, 2); },                       // double-click "sub"
        [&] { inside = Shown(); PressBackspace(); },                     // up again
        [&] { back = Shown(); selectedAfterUp = Panel()->Browser().SelectedPath(); Type("a"); },
        [&] { PressReturn(); },
    });
    EXPECT_EQ(first, (Names{"a.snx", "sub"})) << "hidden files and other types are not listed";
    EXPECT_EQ(inside, (Names{"c.snx"}));
    EXPECT_EQ(back, first);
    EXPECT_EQ(selectedAfterUp, root + "/sub") << "the folder just left is selected";
    EXPECT_EQ(answer, plat::FilePanel::kOK);
    EXPECT_EQ(panel->Path(), root + "/a.snx");
}

TEST_F(FilePanelTest, ArrowsHiddenFilesSortingAndTheUpButton)
{
    plat::Ref<plat::FilePanel> panel = OpenPanel(std::nullopt);
    Names withHidden, descending;
    std::string afterArrows, pathAfterUp;
    const int answer = Run(*panel, "", {
        [&] { PostClick(CentreOf(Panel()->HiddenCheck())); },
        [&] { withHidden = Shown(); PostKey("\xEF\x9C\x81", 125); PostKey("\xEF\x9C\x81", 125); },   // down twice
        [&] { afterArrows = Panel()->Browser().SelectedPath();
              CFileListPane& list = Panel()->List();
              PostClick(ScreenPoint(list, CLPoint{list.Rect().left + 20, list.Rect().top + 5})); },  // Name again
        [&] { descending = Shown(); PostClick(CentreOf(Panel()->UpButton())); },
        [&] { pathAfterUp = Panel()->Browser().Folder(); PressEscape(); },
    });
    EXPECT_EQ(withHidden, (Names{".hidden.snx", "a.snx", "b.txt", "sub"}));
    EXPECT_EQ(afterArrows, root + "/a.snx");
    EXPECT_EQ(descending, (Names{"sub", "b.txt", "a.snx", ".hidden.snx"}));
    EXPECT_EQ(pathAfterUp, ParentFolder(root));
    EXPECT_EQ(answer, plat::FilePanel::kCancel);
    EXPECT_TRUE(panel->Path().empty());
}

TEST_F(FilePanelTest, SavingOverAFileAsksFirst)
{
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    bool asked = false, askedAgain = false;
    const int answer = Run(*panel, "a.snx", {
        [&] { PressReturn(); },
        [&] { asked = MessageShown() && ModalInFront(); PressEscape(); },        // keep the file
        [&] { PressReturn(); },
        [&] { askedAgain = MessageShown() && ModalInFront(); PressReturn(); },   // replace it
    });
    EXPECT_TRUE(asked);
    EXPECT_TRUE(askedAgain);
    EXPECT_EQ(answer, plat::FilePanel::kOK);
    EXPECT_EQ(panel->Path(), root + "/a.snx");
}

// A file's row selected by a click or an arrow puts its name into the name field, and Save then
// asks before replacing that file; a folder's row leaves the name as it was, and a quick click on
// it after a click on a file selects it without opening it.
TEST_F(FilePanelTest, AFileSelectedInTheListGivesTheSavePanelItsName)
{
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    Names names;
    const auto name = [&] { names.push_back(std::string(Panel()->NameField().GetText().View())); };
    const auto quickClick = [&](int32_t row) {
        const CLRect r = Panel()->List().RowRect(row);
        PostClick(ScreenPoint(Panel()->List(), CLPoint{r.left + 20, (r.top + r.bottom) / 2}));
    };
    bool asked = false;
    Names listed;
    const int answer = Run(*panel, "new.snx", {   // rows: a.snx, b.txt, sub
        [&] { name(); ClickRow(2); },
        [&] { name(); ClickRow(0); quickClick(2); },
        [&] { listed = Shown(); ClickRow(0); },
        [&] { name(); PostKey("\xEF\x9C\x81", 125); },                     // down
        [&] { name(); ClickRow(2); },
        [&] { name(); PostClick(CentreOf(Panel()->OkButton())); },
        [&] { asked = MessageShown(); PressReturn(); },                     // replace it
    });
    EXPECT_EQ(names, (Names{"new.snx", "new.snx", "a.snx", "b.txt", "b.txt"}));
    EXPECT_EQ(listed, (Names{"a.snx", "b.txt", "sub"})) << "two quick clicks on two rows opened a folder";
    EXPECT_TRUE(asked);
    EXPECT_EQ(answer, plat::FilePanel::kOK);
    EXPECT_EQ(panel->Path(), root + "/b.txt");
}

TEST_F(FilePanelTest, ANewNameIsSavedWithoutAQuestionAndSlashesAreNeverProposed)
{
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    std::string proposed;
    const int answer = Run(*panel, "x/y.snx", {
        [&] { proposed = std::string(Panel()->NameField().GetText().View()); PressReturn(); },
    });
    EXPECT_EQ(proposed, "x-y.snx");
    EXPECT_EQ(answer, plat::FilePanel::kOK);
    EXPECT_EQ(panel->Path(), root + "/x-y.snx");
}

TEST_F(FilePanelTest, AFolderThatCannotBeListedShowsEmptyAndTakesNoFile)
{
    static std::string denied;
    denied = root + "/sub";
    plat::SetListFolderFailure([](const std::string& path) {
        return path == denied ? plat::FileResult::Denied : plat::FileResult::Ok;
    });
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    bool unreadable = false;
    Names inside{"not looked at"};
    const int answer = Run(*panel, "new.snx", {
        [&] { ClickRow(2, 2); },                                         // into "sub"
        [&] { inside = Shown();
              unreadable = Panel()->Browser().ListStatus() == CFolderBrowser::Status::Unreadable;
              PressReturn(); },                                           // refused
        [&] { PressEscape(); },
    });
    EXPECT_TRUE(unreadable);
    EXPECT_TRUE(inside.empty());
    EXPECT_EQ(answer, plat::FilePanel::kCancel);
    EXPECT_FALSE(std::filesystem::exists(root + "/sub/new.snx"));
}

TEST_F(FilePanelTest, AFolderThatDisappearsFallsBackToItsParent)
{
    plat::Ref<plat::FilePanel> panel = OpenPanel(std::nullopt);
    std::string shownAfter;
    appDriver.PlayWhenIdle({
        [&] { std::filesystem::remove_all(root + "/sub"); Nudge(600); },
        [&] { shownAfter = Panel()->Browser().Folder(); PressEscape(); },
    });
    (void)panel->RunModal(root + "/sub", "");
    EXPECT_EQ(shownAfter, root);
}

TEST_F(FilePanelTest, NamesThatAreNotUtf8ShowReplacementsAndOpenTheRightFile)
{
    const std::string raw = root + "/bad\xFFname.snx";
    WriteAll(raw, "<x/>");
    plat::Ref<plat::FilePanel> panel = OpenPanel(std::vector<std::string>{"snx"});
    Names shown;
    const int answer = Run(*panel, "", {
        [&] { shown = Shown(); ClickRow(1); PressReturn(); },
    });
    EXPECT_EQ(shown, (Names{"a.snx", "bad\uFFFDname.snx", "sub"}));
    EXPECT_EQ(answer, plat::FilePanel::kOK);
    EXPECT_EQ(panel->Path(), raw);
}
