#include "controls/panels/CFilePanelWindow.h"
#include "controls/panels/CPanelAccessoryPane.h"
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

} // namespace
