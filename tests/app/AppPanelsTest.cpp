// The colour and font panels in the running program, opened by the windows that use them and
// completed by the user with mouse and keyboard.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "analysis/views/CColorSetDlg.h"
#include "controls/CViewPrefs.h"
#include "controls/panels/CColorPanelWindow.h"
#include "controls/panels/CFontPanelRunner.h"
#include "controls/panels/CFontPanelWindow.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "platform/window/FontPanel.h"
#include "shell/draw/LFont.h"
#include "tests/app/AppRunKit.h"

#include <algorithm>

namespace {

constexpr uint32_t kViewFontId = 1;

class PanelsApp : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            PostKey(std::string(1, c), 0);
    }
    static uint32_t BackgroundColour()
    {
        return CColorScheme::GetColor(CApp::Get()->Prefs().Root()->GetChild(kPrefClrs), kColsCbkg);
    }
    void ClickRow(CNameListPane& list, const std::string& name)
    {
        const auto& names = list.Names();
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        const CLRect r = list.RowRect(int32_t(at - names.begin()));
        windows.Click(ScreenPoint(list, CLPoint{r.left + 20, (r.top + r.bottom) / 2}));
    }
    static std::string StoredFamily(uint32_t id, float* size = nullptr)
    {
        CViewPrefs::FontSpec font;
        const bool stored = CViewPrefs::Shared().GetFont(id, font);
        if (size)
            *size = font.size;
        return stored ? std::string(font.family.View()) : std::string();
    }
};

} // namespace

TEST_F(PanelsApp, AColourButtonOpensTheColourPanelAndEveryPickReachesTheScheme)
{
    ASSERT_TRUE(plat::MenuDriver::Choose({AppMenu(), "Colours…"}));
    CColorSetDlg* colors = CApp::Get()->ColorWindow();
    ASSERT_NE(colors, nullptr);
    EXPECT_GE(colors->ColorButton(0).Rect().Width(), 30) << "a button a person can aim at";
    const uint32_t before = BackgroundColour();
    bool panelShown = false;
    uint32_t whilePicking = 0;
    user.PlayWhenIdle({
        [&] { panelShown = KeyDialog<CColorPanelWindow>() != nullptr; Type("#102030"); },
        [&] { whilePicking = BackgroundColour(); PressReturn(); },
    });
    // The first click on the floating colour window only brings it to the user.
    windows.Click(ScreenPoint(*colors, CLPoint{int32_t(colors->Rect().Width()) - 4, int32_t(colors->Rect().Height()) - 4}));
    ASSERT_TRUE(colors->Window()->Native()->IsKey());
    windows.Click(CentreOf(colors->ColorButton(0)));
    EXPECT_TRUE(panelShown);
    EXPECT_NE(before, 0x302010u);
    EXPECT_EQ(whilePicking, 0x302010u) << "each colour picked is written at once";
    EXPECT_EQ(BackgroundColour(), 0x302010u);
    EXPECT_EQ(KeyDialog<CColorPanelWindow>(), nullptr) << "the panel is gone";
}

TEST_F(PanelsApp, ViewFontsOpensTheFontPanelWhoseChoicesAreStoredAndKeptAcrossARelaunch)
{
    ASSERT_TRUE(plat::MenuDriver::Choose({AppMenu(), "View Fonts…"}));
    CViewPrefsDlg* dialog = CApp::Get()->ViewPrefsDialog();
    ASSERT_NE(dialog, nullptr);
    CVPFontList& list = dialog->FontList();
    const CLRect cell = list.CellRect(CLPoint{0, int32_t(kViewFontId)});
    windows.Click(ScreenPoint(list, CLPoint{cell.right - 40, (cell.top + cell.bottom) / 2}));
    CFontPanelWindow* panel = FloatingFontPanel();
    ASSERT_NE(panel, nullptr) << "a click in a row's slot opens the font panel";
    ASSERT_TRUE(panel->Window()->Native()->IsVisible());
    EXPECT_EQ(panel->Families().SelectedName(), "DejaVu Sans") << "with no choice, the font the view uses";

    ClickRow(panel->Families(), "DejaVu Serif");
    EXPECT_EQ(StoredFamily(kViewFontId), "DejaVu Serif");
    const CLRect field = panel->SizeField().Rect();
    windows.Click(ScreenPoint(panel->SizeField(), CLPoint{field.right - 4, (field.top + field.bottom) / 2}));
    for (const char* key : {"\x7f", "\x7f"})
        windows.TypeKey(key, 51);
    for (const char* key : {"1", "4"})
        windows.TypeKey(key, 0);
    float size = 0;
    EXPECT_EQ(StoredFamily(kViewFontId, &size), "DejaVu Serif");
    EXPECT_EQ(size, 14.0f);
    EXPECT_EQ(std::string(LFont(kViewFontId).GetFamilyName().View()), "DejaVu Serif");

    Stop();
    EXPECT_FALSE(plat::FontPanel::Shared().IsVisible()) << "the panel went with the window";
    Start();
    EXPECT_EQ(StoredFamily(kViewFontId, &size), "DejaVu Serif");
    EXPECT_EQ(LFont(kViewFontId).GetPointSize(), 14.0);
}
