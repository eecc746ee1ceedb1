#include "controls/panels/CFilePanelWindow.h"
#include "controls/panels/CPanelAccessoryPane.h"
#include "controls/panels/COpenFileDialog.h"
#include "controls/panels/CSaveFileDialog.h"
#include "foundation/records/LFieldDesc.h"
#include "platform/controls/PopUpButton.h"
#include "shell/files/FileUrls.h"
#include "tests/app/AppRunKit.h"
#include "tests/foundation/TempFiles.h"
#include "ui/files/CFileTypeList.h"

namespace {

// The standard file panels in the running program, through the dialogs that prepare them.
class FilePanels : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
        folder = TempPath("panels-app");
        WriteAll(folder + "/old.snx", "<x/>");
        types.AddEntry("snx", "Sonalyx document", FourCC("YSNX"), FourCC("SNXD"));
        types.AddEntry("txt", "Text", FourCC("YSNX"), FourCC("TEXT"));
    }
    std::string Name() const { return std::string(KeyDialog<CFilePanelWindow>()->NameField().GetText().View()); }
    // Posts the user's pick of an entry of a pop-up: press on it, drag to the row, release.
    void PickFromPopup(LPopupList& popup, int row)
    {
        plat::View& view = *popup.NativeView();
        auto& button = static_cast<plat::PopUpButton&>(*popup.NativeControl());
        plat::Window* window = view.GetWindow();
        auto screen = [&](double y) {
            return window->ConvertBaseToScreen(view.ConvertToWindow(plat::Point{view.Frame().width / 2, y}));
        };
        const double half = button.RowHeight() / 2;
        windows.PostMouse(plat::EventType::LeftMouseDown, screen(half));
        windows.PostMouse(plat::EventType::LeftMouseDragged, screen(button.RowTop(row) + half));
        windows.PostMouse(plat::EventType::LeftMouseUp, screen(button.RowTop(row) + half));
    }

    // Plans a person's keys by name, and looks between them, for the panel's loop to play.
    void PlanKeys(const std::vector<std::string>& keys, const std::function<void()>& look)
    {
        windows.PlanStep(200, [] {}); // the panel shows
        for (const std::string& key : keys) {
            if (key == "look")
                windows.PlanStep(0, look);
            else if (key == "tab" || key == "back")
                windows.PlanKey("\t", 48, key == "back" ? uint32_t(plat::kModShift) : 0u);
            else if (key == "space")
                windows.PlanKey(" ", 49);
            else if (key == "down")
                windows.PlanKey("\xEF\x9C\x81", 125);
            else if (key == "return")
                windows.PlanKey("\r", 36);
            else if (key == "escape")
                windows.PlanKey("\x1b", 53);
            else
                ADD_FAILURE() << "no key " << key;
        }
    }
    // The pane of the key panel that holds the focus; the type pop-up with "(ring)" when it
    // shows its focus ring.
    std::string FocusName(CFileDialog& dialog) const
    {
        CFilePanelWindow* panel = KeyDialog<CFilePanelWindow>();
        if (!panel)
            return "no panel";
        const LPane* target = panel->FocusTarget();
        LPopupList& popup = dialog.TypePopup()->Popup();
        if (target == &popup)
            return popup.NativeControl()->ShowsFocus() ? "types(ring)" : "types";
        const std::vector<std::pair<const LPane*, const char*>> panes = {
            {&panel->NameField(), "name"}, {&panel->List(), "list"}, {&panel->HiddenCheck(), "hidden"},
            {&panel->OkButton(), "ok"}, {&panel->CancelButton(), "cancel"}, {&panel->Places(), "places"},
        };
        for (const auto& [pane, name] : panes)
            if (target == pane)
                return name;
        return "other";
    }

    std::string folder;
    CFileTypeList types{"NO SUCH LIST"};
};

TEST_F(FilePanels, TheTypePopupChangesTheProposedExtension)
{
    CSaveFileDialog dialog;
    dialog.SetFileTypes(&types);
    dialog.SetStartPath(UrlFromPosixPath(folder + "/report.snx"));
    std::string before, after;
    user.PlayWhenIdle({
        [&] { before = Name(); PickFromPopup(dialog.TypePopup()->Popup(), 1); },
        [&] { after = Name(); PressReturn(); },
    });
    ASSERT_TRUE(dialog.Run());
    EXPECT_EQ(before, "report.snx");
    EXPECT_EQ(after, "report.txt");
    EXPECT_EQ(std::string(PosixPathFromUrl(dialog.GetFile().Text()).View()), folder + "/report.txt");
}

TEST_F(FilePanels, CutCopyAndPasteWorkInTheNameFieldThroughTheEditMenu)
{
    CSaveFileDialog dialog;
    dialog.SetStartPath(UrlFromPosixPath(folder + "/draft.snx"));
    std::string afterCut, afterPaste;
    user.PlayWhenIdle({
        [&] { ASSERT_TRUE(plat::MenuDriver::Choose({"Edit", "Cut"})); afterCut = Name();
              ASSERT_TRUE(plat::MenuDriver::Choose({"Edit", "Paste"})); ASSERT_TRUE(plat::MenuDriver::Choose({"Edit", "Paste"}));
              afterPaste = Name(); PressEscape(); },
    });
    EXPECT_FALSE(dialog.Run());
    EXPECT_EQ(afterCut, "");
    EXPECT_EQ(afterPaste, "draft.snxdraft.snx");
}

TEST_F(FilePanels, TabAndShiftTabReachTheTypePopupAndSpaceOpensIt)
{
    struct Row {
        const char* what;
        bool save;
        std::vector<std::string> keys;
        std::vector<std::string> focus;
        bool chosen;
        std::string path;
    };
    const std::vector<Row> rows = {
        {"save: back from the name field and forward again", true,
         {"look", "back", "look", "back", "look", "tab", "look", "tab", "look", "escape"},
         {"name", "types(ring)", "hidden", "types(ring)", "name"}, false, ""},
        {"open: forward from the list past the check box; Escape on the pop-up cancels", false,
         {"look", "tab", "look", "tab", "look", "back", "look", "tab", "escape"},
         {"list", "hidden", "types(ring)", "hidden"}, false, ""},
        {"save: Space opens the list, Down and Return choose, Return saves", true,
         {"back", "space", "down", "return", "look", "return"}, {"types(ring)"}, true, "/report.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::unique_ptr<CFileDialog> dialog;
        CSaveFileDialog* save = nullptr;
        COpenFileDialog* open = nullptr;
        if (row.save)
            dialog.reset(save = new CSaveFileDialog);
        else
            dialog.reset(open = new COpenFileDialog);
        dialog->SetFileTypes(&types);
        if (save)
            save->SetStartPath(UrlFromPosixPath(folder + "/report.snx"));
        else
            open->SetStartPath(UrlFromPosixPath(folder + "/old.snx"));
        std::vector<std::string> focus;
        PlanKeys(row.keys, [&] { focus.push_back(FocusName(*dialog)); });
        const bool chosen = save ? save->Run() : open->Run(0);
        EXPECT_EQ(chosen, row.chosen);
        EXPECT_EQ(focus, row.focus);
        if (row.chosen) {
            EXPECT_EQ(std::string(PosixPathFromUrl(dialog->GetFile().Text()).View()), folder + row.path);
        }
        windows.Play(); // the last key's release and pause
    }
}

} // namespace
