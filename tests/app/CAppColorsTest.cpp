// The application's colour window: the Colours command, closing, and the preferences that
// bring it back where it was.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CColorSetDlg.h"
#include "app/CApp.h"
#include "foundation/records/LObject.h"
#include "tests/app/StartUpKit.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/panes/LPaneFlags.h"

#include <gtest/gtest.h>

namespace {

class ColorWindowApp : public StartUp {
protected:
    static void Choose(const char* command)
    {
        struct Item : LMenuItem {
            explicit Item(const char* c) : LMenuItem(nullptr) { AddCommand(c); }
        } item(command);
        LMessage::Send(LMessage(LMenuItem::msgSelected, &item, CApp::Get()));
    }
    static bool Shown(const LPane& pane) { return pane.HasFlags(kPaneShown | kPaneHostShown); }
};

} // namespace

TEST_F(ColorWindowApp, TheCommandShowsItClosingHidesItAndTheNextLaunchRestoresIt)
{
    ASSERT_EQ(CreateGlobals(), 0);
    CColorSetDlg* colors = CApp::Get()->ColorWindow();
    ASSERT_NE(colors, nullptr);
    EXPECT_FALSE(Shown(*colors)) << "made hidden";
    LHandler* target = nullptr;
    LMenuBar* bar = CApp::Get()->MenuTarget(target);
    ASSERT_NE(bar, nullptr);
    bool enabled = false;
    bar->ForEachItem(&enabled, [](void* context, LMenuItem* item) {
        *static_cast<bool*>(context) |= item->enabled && item->HasCommand(CApp::kColorSetCommand);
    });
    EXPECT_TRUE(enabled);

    Choose(CApp::kColorSetCommand);
    EXPECT_TRUE(Shown(*colors));
    const CLRect place{300, 200, 300 + int32_t(colors->Rect().Width()), 200 + int32_t(colors->Rect().Height())};
    colors->PlaceAt(place);
    const CLRect placed = colors->GetWindowContentRect();
    LMessage::Send(LMessage(LFrame::msgClose, colors, CApp::Get()));
    EXPECT_FALSE(Shown(*colors)) << "closing only hides it";
    Choose(CApp::kColorSetCommand);
    DestroyGlobals(); // saves the preferences with the window shown

    ASSERT_EQ(CreateGlobals(), 0);
    LObject* prefs = CApp::Get()->Prefs().Root();
    EXPECT_EQ(prefs->GetByte(kPrefClwo), 1);
    EXPECT_EQ(prefs->GetRect(kPrefWpcd), placed);
    ASSERT_NE(CApp::Get()->ColorWindow(), nullptr);
    EXPECT_TRUE(Shown(*CApp::Get()->ColorWindow())) << "shown again at launch";
    EXPECT_EQ(CApp::Get()->ColorWindow()->GetWindowContentRect(), placed);
}
