#include "analysis/records/SnxFields.h"
#include "analysis/window/CSpecWindow.h"
#include "controls/CViewPrefs.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/FontPanel.h"
#include "shell/draw/LFont.h"
#include "sources/ports/CIPPORTDIALOG.h"
#include "tests/app/AppRunKit.h"
#include "tests/foundation/TempFiles.h"
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
    // The update passes that follow a change, as the main loop runs them.
    static void Settle()
    {
        for (int pass = 0; pass < 4; ++pass)
            plat::Application::Shared().UpdateWindows();
    }
    // A new document in a window 852 pixels wide and `height` tall (or taller, for the rows of
    // its OSC faders), then given four channels, whose views prefer more room than a small
    // window has.
    static CSpecWindow* FourChannels(int faders, int32_t height)
    {
        CSpecWindow* document = CApp::Get()->OpenDocument(std::string());
        const CLRect content = document->GetWindowContentRect();
        document->PlaceWindow({content.left, content.top, content.left + 852, content.top + height}, nullptr);
        for (int i = 0; i < faders; ++i) {
            ChooseCommand(document, "CAppCmd_AddFdr");
            LObject::SetByte(document->Document().Fader(i), nullptr, kFadrFtyp, 9, LObject::Merge::No);
        }
        ChooseCommand(document, "CAppCmd_Chans", "4");
        Settle();
        return document;
    }
    static int32_t WholeRows(CSpecWindow& document) { return document.FaderFrame().List().FullRows(); }
    static void Close(CSpecWindow* document)
    {
        document->Document().SetModified(false);
        LMessage::Send(LMessage(LFrame::msgClose, document, CApp::Get()));
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

// Every kind of view font changed and set back, then the window made a little taller, with
// one and with several faders, in windows near the smallest: the room comes from the views,
// and the fader list keeps a whole row.
TEST_F(ViewFonts, AFontOrSizeChangeLeavesTheFaderListAWholeRow)
{
    for (uint32_t id = 0; id < 4; ++id)
        for (const int faders : {1, 3})
            for (const int32_t height : {473, 495, 560}) {
                const std::string row = "font " + std::to_string(id) + ", " + std::to_string(faders) +
                                        " faders, " + std::to_string(height) + " px";
                CSpecWindow* document = FourChannels(faders, height);
                ASSERT_NE(document, nullptr) << row;
                EXPECT_GE(WholeRows(*document), 1) << row << ", before";
                CViewPrefs::Shared().SetFont(id, {LStringRef("DejaVu Serif"), 12});
                Settle();
                EXPECT_GE(WholeRows(*document), 1) << row << ", DejaVu Serif";
                CViewPrefs::Shared().SetFont(id, {LStringRef(), 0});
                Settle();
                EXPECT_GE(WholeRows(*document), 1) << row << ", set back";
                const CLRect content = document->GetWindowContentRect();
                document->PlaceWindow({content.left, content.top, content.right, content.bottom + 22}, nullptr);
                Settle();
                EXPECT_GE(WholeRows(*document), 1) << row << ", a taller window";
                Close(document);
            }
}

// A divider place stored with the document's window that would hide every fader row, as a
// collapsed list once left, is not honoured when the document opens again.
TEST_F(ViewFonts, AStoredDividerPlaceThatHidesTheFadersIsNotHonouredAtOpen)
{
    const std::string path = TempPath("collapsed.snx");
    CSpecWindow* document = FourChannels(1, 495);
    ASSERT_TRUE(document->Save(path));
    LObject* record = document->WindowRecord();
    Close(document);
    struct Row {
        const char* what;
        int32_t height, place;
    } rows[] = {
        {"far below the window", 495, 10000},
        {"at the window's bottom", 495, 437},
        {"a row's height above its bottom", 495, 380},
        {"in a tall window", 800, 10000},
    };
    for (const Row& row : rows) {
        LObject::SetRect(record, nullptr, kWindDcwp, {40, 60, 892, 60 + row.height});
        LObject::SetInt(record, nullptr, kWindFddv, row.place, LObject::Merge::No);
        document = CApp::Get()->OpenDocument(path);
        ASSERT_NE(document, nullptr) << row.what;
        Settle();
        EXPECT_EQ(document->GetWindowContentRect().Height(), row.height) << row.what << ": the stored window";
        EXPECT_GE(WholeRows(*document), 1) << row.what;
        Close(document);
    }
    std::filesystem::remove(path);
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
