#include "analysis/window/CSpecWindow.h"
#include "controls/CViewPrefs.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "platform/window/FontPanel.h"
#include "shell/draw/LFont.h"
#include "sources/ports/CIPPORTDIALOG.h"
#include "tests/app/AppRunKit.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/frames/LFrame.h"

namespace {

constexpr uint32_t kViewFontId = 1;

// The user chooses the fonts of the views in View Fonts.
class ViewFonts : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    // A click on the font slot of a row of the list.
    void ClickRow(CViewPrefsDlg& dialog, int32_t row)
    {
        CVPFontList& list = dialog.FontList();
        const CLRect cell = list.CellRect(CLPoint{0, row});
        windows.Click(ScreenPoint(list, CLPoint{cell.right - 40, (cell.top + cell.bottom) / 2}));
    }
    static std::string StoredFamily(uint32_t id)
    {
        CViewPrefs::FontSpec font;
        return CViewPrefs::Shared().GetFont(id, font) ? std::string(font.family.View()) : std::string();
    }
};

TEST_F(ViewFonts, AChosenViewFontIsUsedAndKeptAcrossARelaunch)
{
    ASSERT_TRUE(plat::MenuDriver::Choose({AppMenu(), "View Fonts…"}));
    CViewPrefsDlg* dialog = CApp::Get()->ViewPrefsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(KeyDialog<CViewPrefsDlg>(), dialog);

    ClickRow(*dialog, int32_t(kViewFontId));
    plat::FontPanel& panel = plat::FontPanel::Shared();
    ASSERT_TRUE(panel.IsVisible()) << "a click in a row's slot opens the font panel";
    EXPECT_TRUE(dialog->FontList().PanelLinked());
    EXPECT_EQ(panel.SelectedFont().family, "DejaVu Sans") << "with no choice, the font the view uses";

    plat::FontChoice serif;
    serif.family = "DejaVu Serif";
    serif.size = 14;
    panel.UserPicks(serif);
    EXPECT_EQ(StoredFamily(kViewFontId), "DejaVu Serif");
    EXPECT_EQ(std::string(LFont(kViewFontId).GetFamilyName().View()), "DejaVu Serif");

    Stop();
    EXPECT_FALSE(panel.IsVisible()) << "the panel went with the window";
    Start();
    EXPECT_EQ(StoredFamily(kViewFontId), "DejaVu Serif");
    EXPECT_EQ(std::string(LFont(kViewFontId).GetFamilyName().View()), "DejaVu Serif");
    EXPECT_EQ(LFont(kViewFontId).GetPointSize(), 14.0);
}

TEST_F(ViewFonts, AFontPanelThePersonClosedStaysClosedWhenViewFontsComesBack)
{
    CSpecWindow* document = CApp::Get()->OpenDocument(std::string());
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(plat::MenuDriver::Choose({AppMenu(), "View Fonts…"}));
    CViewPrefsDlg* dialog = CApp::Get()->ViewPrefsDialog();
    ASSERT_NE(dialog, nullptr);
    plat::FontPanel& panel = plat::FontPanel::Shared();
    plat::Window& fonts = *dialog->Window()->Native();
    const auto toFrontAndBack = [&] {
        document->Window()->Native()->MakeKeyAndOrderFront();
        fonts.MakeKeyAndOrderFront();
        return fonts.IsKey();
    };
    struct Case {
        const char* what;
        bool closeFirst;
        bool shown;
    } cases[] = {
        {"a panel left open follows the window back", false, true},
        {"a panel closed by its close box stays closed", true, false},
    };
    for (const Case& c : cases) {
        ClickRow(*dialog, int32_t(kViewFontId));
        ASSERT_TRUE(panel.IsVisible()) << c.what;
        if (c.closeFirst)
            panel.UserCloses();
        ASSERT_TRUE(toFrontAndBack()) << c.what;
        EXPECT_EQ(panel.IsVisible(), c.shown) << c.what;
    }
    ClickRow(*dialog, int32_t(kViewFontId) + 1);
    EXPECT_TRUE(panel.IsVisible()) << "a click in another row opens it again";
}

TEST_F(ViewFonts, AStoredFamilyTheSystemLacksFallsBackToTheDefaultFont)
{
    CViewPrefs::FontSpec gone;
    gone.family = "A Family Long Uninstalled";
    gone.size = 13;
    CViewPrefs::Shared().SetFont(kViewFontId, gone);
    LFont font(kViewFontId);
    ASSERT_NE(font.Get(), nullptr);
    EXPECT_EQ(std::string(font.GetFamilyName().View()), "DejaVu Sans");
}

} // namespace

// View Fonts is offered at every menu check: a modal window that is not a modal dialog (those
// leave only Help) does not take it away.
TEST_F(ViewFonts, ViewFontsStaysAvailableUnderAModalWindow)
{
    LFrame modal(CApp::Get(), nullptr, ModalWindowDef(0));
    modal.SetWindowContentRect(CLRect{200, 200, 500, 400});
    modal.ShowWindow();
    ASSERT_EQ(KeyFrameWindow(), modal.Window());
    EXPECT_TRUE(Enabled("LStdCmd_ViewPref"));
    EXPECT_FALSE(Enabled("LStdCmd_New")) << "the document commands wait for the modal window";
    ASSERT_TRUE(plat::MenuDriver::Choose({AppMenu(), "View Fonts…"}));
    EXPECT_NE(CApp::Get()->ViewPrefsDialog(), nullptr);
}

TEST_F(ViewFonts, AViewFontStaysInTheViewsAndOutOfDialogFields)
{
    CViewPrefs::Shared().SetFont(kViewFontId, {LStringRef("DejaVu Serif"), 14});
    ASSERT_EQ(std::string(LFont(kViewFontId).GetFamilyName().View()), "DejaVu Serif");
    CIPPORTDIALOG address(CApp::Get(), true, LStringRef("127.0.0.1:51000"));
    EXPECT_NE(std::string(address.Field().Font().GetFamilyName().View()), "DejaVu Serif");
    EXPECT_EQ(address.Field().Font(), LFont(0)) << "the dialogs' font";
}
