#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CColorSetDlg.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/records/LObject.h"
#include "foundation/text/LStrList.h"
#include "shell/gl/CGLContext.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/resources/LResourceChain.h"
#include "tests/app/AppRunKit.h"
#include "ui/panes/LPaneFlags.h"

namespace {

using StartUp = AppRunTest;

bool AllNull(const SonalyxGlobals& g)
{
    return !g.processInfo && !g.stdFolders && !g.mouse && !g.keyboard && !g.desktop && !g.defaultResources &&
           !g.regionalResources && !g.resourceChain && !g.loopWaker && !g.clipboard && !g.midiClient &&
           !g.sharesGLContext && !g.app;
}
std::string AboutItem(uint32_t i) { return std::string(LStrList({0, "ABOUT"}, nullptr, kStrListDialogTexts).GetItem(i).View()); }

TEST_F(StartUp, MakesEveryServiceAndTakesThemAllDownAgain)
{
    ASSERT_TRUE(AllNull(Globals()));
    Start();
    const SonalyxGlobals& g = Globals();
    EXPECT_TRUE(g.processInfo && g.stdFolders && g.desktop && g.defaultResources && g.regionalResources &&
                g.resourceChain && g.loopWaker && g.clipboard && g.midiClient && g.sharesGLContext);
    EXPECT_EQ(LMouse::Current(), g.mouse);
    EXPECT_EQ(LKeyboard::Current(), g.keyboard);
    EXPECT_EQ(CApp::Get(), g.app);
    EXPECT_NE(CGLContext::Shared(), nullptr);
    EXPECT_EQ(LResourceSource::Global(), static_cast<LResourceSource*>(g.resourceChain));
    EXPECT_EQ(AboutItem(1), "OK") << "string lists come from the installed chain";
    ASSERT_NE(g.app->MainLoop().MenuBar(), nullptr) << "the menu bar was built from the resources";

    Stop();
    EXPECT_TRUE(AllNull(Globals()));
    EXPECT_EQ(LResourceSource::Global(), nullptr);
    EXPECT_EQ(CGLContext::Shared(), nullptr);
    EXPECT_EQ(CApp::Get(), nullptr);
    DestroyGlobals(); // nothing left to destroy
    EXPECT_TRUE(AllNull(Globals()));
}

TEST_F(StartUp, TheLocaleSelectsTheRegionalResources)
{
    setenv("LANG", "ja_JP.UTF-8", 1);
    Start();
    EXPECT_EQ(Globals().regionalResources->GetRegion(), kRegionJP);
    EXPECT_EQ(AboutItem(0), "Sonalyx について");
    Stop();
    setenv("LANG", "en_US.UTF-8", 1);
    Start();
    EXPECT_EQ(Globals().regionalResources->GetRegion(), kRegionUS);
}

TEST_F(StartUp, PreferencesSurviveAQuitAndAGrantedQuitLeavesTheCommandsEnabled)
{
    Start();
    EXPECT_EQ(CApp::Get()->Prefs().Root()->GetByte(0), 0) << "MIDI output off by default";
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    EXPECT_FALSE(CApp::Get()->MainLoop().quitPending);
    for (const char* command : {"LStdCmd_Quit", "CAppCmd_MidiUse", "LStdCmd_Open", CApp::kColorSetCommand})
        EXPECT_TRUE(Enabled(command)) << command;
    EXPECT_FALSE(ReadyItem("CAppCmd_MidiUse")->checked) << "no destination chosen";
    LObject::SetBool(CApp::Get()->Prefs().Root(), nullptr, 0, true, LObject::Merge::No);
    Stop();
    Start();
    EXPECT_EQ(CApp::Get()->Prefs().Root()->GetByte(0), 1);
}

// The colour window: the command shows it, closing only hides it, the next launch restores it.
TEST_F(StartUp, TheColourWindowComesBackShownWhereItWas)
{
    auto shown = [](const LPane& pane) { return pane.HasFlags(kPaneShown | kPaneHostShown); };
    Start();
    CColorSetDlg* colors = CApp::Get()->ColorWindow();
    ASSERT_NE(colors, nullptr);
    EXPECT_FALSE(shown(*colors)) << "made hidden";
    Choose(CApp::kColorSetCommand);
    EXPECT_TRUE(shown(*colors));
    colors->PlaceAt({300, 200, 300 + int32_t(colors->Rect().Width()), 200 + int32_t(colors->Rect().Height())});
    const CLRect placed = colors->GetWindowContentRect();
    LMessage::Send(LMessage(LFrame::msgClose, colors, CApp::Get()));
    EXPECT_FALSE(shown(*colors)) << "closing only hides it";
    Choose(CApp::kColorSetCommand);
    Stop(); // saves the preferences with the window shown

    Start();
    LObject* prefs = CApp::Get()->Prefs().Root();
    EXPECT_EQ(prefs->GetByte(kPrefClwo), 1);
    EXPECT_EQ(prefs->GetRect(kPrefWpcd), placed);
    ASSERT_NE(CApp::Get()->ColorWindow(), nullptr);
    EXPECT_TRUE(shown(*CApp::Get()->ColorWindow())) << "shown again at launch";
    EXPECT_EQ(CApp::Get()->ColorWindow()->GetWindowContentRect(), placed);
}

} // namespace
