#include "analysis/records/CAppPrefs.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/records/LObject.h"
#include "foundation/text/LStrList.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/resources/ResourceFile.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/app/AppDelegate.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "shell/gl/CGLContext.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/resources/LResourceChain.h"
#include "tests/app/StartUpKit.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <gtest/gtest.h>

namespace {

TEST_F(StartUp, MakesEveryServiceAndTakesThemAllDownAgain)
{
    ASSERT_TRUE(AllNull(Globals()));
    ASSERT_EQ(CreateGlobals(), 0);
    const SonalyxGlobals& g = Globals();
    EXPECT_TRUE(g.processInfo && g.stdFolders && g.desktop && g.defaultResources && g.regionalResources &&
                g.resourceChain && g.loopWaker && g.clipboard && g.midiClient && g.sharesGLContext);
    EXPECT_EQ(LMouse::Current(), g.mouse);
    EXPECT_EQ(LKeyboard::Current(), g.keyboard);
    EXPECT_EQ(CApp::Get(), g.app);
    EXPECT_NE(CGLContext::Shared(), nullptr);
    EXPECT_EQ(LResourceSource::Global(), static_cast<LResourceSource*>(g.resourceChain));
    LStrList about({0, "ABOUT"}, nullptr, kStrListDialogTexts);
    EXPECT_EQ(about.GetItem(1), "OK") << "string lists come from the installed chain";
    ASSERT_NE(g.app->MainLoop().MenuBar(), nullptr) << "the menu bar was built from the resources";

    DestroyGlobals();
    EXPECT_TRUE(AllNull(Globals()));
    EXPECT_EQ(LResourceSource::Global(), nullptr);
    EXPECT_EQ(CGLContext::Shared(), nullptr);
    EXPECT_EQ(CApp::Get(), nullptr);
    DestroyGlobals(); // nothing left to destroy
    EXPECT_TRUE(AllNull(Globals()));
}

TEST_F(StartUp, AJapaneseLocaleSelectsTheJapaneseResources)
{
    setenv("LANG", "ja_JP.UTF-8", 1);
    ASSERT_EQ(CreateGlobals(), 0);
    EXPECT_EQ(Globals().regionalResources->GetRegion(), kRegionJP);
    LStrList about({0, "ABOUT"}, nullptr, kStrListDialogTexts);
    EXPECT_EQ(about.GetItem(0), "Sonalyx について");
    DestroyGlobals();

    setenv("LANG", "en_US.UTF-8", 1);
    ASSERT_EQ(CreateGlobals(), 0);
    EXPECT_EQ(Globals().regionalResources->GetRegion(), kRegionUS);
}

TEST_F(StartUp, PreferencesSurviveAQuitAndTheNextLaunch)
{
    ASSERT_EQ(CreateGlobals(), 0);
    LObject* prefs = CApp::Get()->Prefs().Root();
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(prefs->GetByte(0), 0) << "MIDI output off by default";
    LObject::SetBool(prefs, nullptr, 0, true, LObject::Merge::No);
    DestroyGlobals();

    ASSERT_EQ(CreateGlobals(), 0);
    EXPECT_EQ(CApp::Get()->Prefs().Root()->GetByte(0), 1);
}

TEST_F(StartUp, AQuitNobodyRefusesIsGrantedAndReadinessEnablesQuit)
{
    ASSERT_EQ(CreateGlobals(), 0);
    AppDelegate delegate;
    delegate.SetMain(&CApp::Get()->MainLoop());
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    EXPECT_FALSE(CApp::Get()->MainLoop().quitPending);

    LHandler* target = nullptr;
    LMenuBar* bar = CApp::Get()->MenuTarget(target);
    ASSERT_NE(bar, nullptr);
    struct Seen {
        bool quit = false, midi = false, midiChecked = false, open = false;
    } seen;
    bar->ForEachItem(&seen, [](void* context, LMenuItem* item) {
        auto* s = static_cast<Seen*>(context);
        s->quit |= item->enabled && item->HasCommand("LStdCmd_Quit");
        s->midi |= item->enabled && item->HasCommand("CAppCmd_MidiUse");
        s->midiChecked |= item->checked && item->HasCommand("CAppCmd_MidiUse");
        s->open |= item->enabled && item->HasCommand("LStdCmd_Open");
    });
    EXPECT_TRUE(seen.quit);
    EXPECT_TRUE(seen.midi);
    EXPECT_FALSE(seen.midiChecked) << "no destination chosen";
    EXPECT_TRUE(seen.open);
    delegate.SetMain(nullptr);
}

} // namespace
