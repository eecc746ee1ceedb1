#include "WindowBridgeKit.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "shell/system/LSystemInfo.h"
#include "shell/windows/CPanelWindowKind.h"
#include "shell/windows/NativeWindow.h"

#include <gtest/gtest.h>

namespace {

plat::Ref<plat::Window> Made(int64_t kind)
{
    LRef hold(new CNativeWindowKind(static_cast<uint32_t>(kind)));
    return static_cast<CNativeWindowKind*>(hold.Get())->CreateWindow();
}

} // namespace

TEST(CNativeWindowKind, UnknownKindsMakeTitledClosableWindowsAtTheNormalLevel)
{
    plat::WindowTestDriver driver;
    for (int64_t kind : {13, 255, -1}) {
        auto window = Made(kind);
        EXPECT_EQ(window->StyleMask(), 3u) << kind;
        EXPECT_EQ(window->Level(), 0) << kind;
    }
    for (int64_t kind : {0, 1, 2, 11}) {
        auto window = Made(kind);
        EXPECT_EQ(window->Level(), 8) << kind;
        EXPECT_EQ((window->StyleMask() & plat::kStyleResizable) != 0, kind == 1) << kind;
    }
    EXPECT_EQ(Made(9)->StyleMask(), 15u);
    EXPECT_EQ(Made(3)->StyleMask(), 7u);
    EXPECT_EQ(Made(12)->StyleMask(), 0u);
    auto doc = Made(9);
    EXPECT_FALSE(doc->IsVisible()); // made hidden
    EXPECT_FALSE(doc->IsPanel());
}

TEST(CNativeWindowKind, MakesItsWindowAtTheStartingRectangle)
{
    plat::WindowTestDriver driver; // one 1440 x 900 screen
    auto window = NativeWindow::Create(1, 0);
    const plat::Rect content = window->ContentRect();
    EXPECT_DOUBLE_EQ(content.x, 40);
    EXPECT_DOUBLE_EQ(content.y, 780);
    EXPECT_DOUBLE_EQ(content.width, 120);
    EXPECT_DOUBLE_EQ(content.height, 80);
}

TEST(CPanelWindowKind, FlagsChooseDeactivationFocusAndLevel)
{
    plat::WindowTestDriver driver;
    LRef a(new CPanelWindowKind(1, 0));
    auto plain = static_cast<CPanelWindowKind*>(a.Get())->CreateWindow();
    EXPECT_TRUE(plain->IsPanel());
    EXPECT_TRUE(plain->floatingPanel);
    EXPECT_EQ(plain->StyleMask(), 19u);
    EXPECT_TRUE(plain->hidesOnDeactivate);
    EXPECT_TRUE(plain->becomesKeyOnlyIfNeeded);
    EXPECT_EQ(plain->Level(), 0);
    LRef b(new CPanelWindowKind(3, CPanelWindowKind::kFlagStaysVisible | CPanelWindowKind::kFlagFloatingLevel));
    auto sticky = static_cast<CPanelWindowKind*>(b.Get())->CreateWindow();
    EXPECT_EQ(sticky->StyleMask(), 31u);
    EXPECT_FALSE(sticky->hidesOnDeactivate);
    EXPECT_FALSE(sticky->becomesKeyOnlyIfNeeded);
    EXPECT_EQ(sticky->Level(), 4);
    sticky->OrderFront();
    plain->OrderFront();
    plat::WindowServer::Shared().SetActive(false);
    EXPECT_TRUE(sticky->IsVisible());
    EXPECT_FALSE(plain->IsVisible());
    plat::WindowServer::Shared().SetActive(true);
    LRef c(new CPanelWindowKind(6, 0));
    EXPECT_TRUE(static_cast<CPanelWindowKind*>(c.Get())->CreateWindow()->ignoresMouseEvents);
    EXPECT_EQ(CPanelWindowKind::StyleMaskOfPanel(99), 17u);
    EXPECT_EQ(CPanelWindowKind::StyleMaskOfPanel(6), 0u);
}

TEST_F(WindowBridgeTest, WindowAtPointCountsOnlyTheContentArea)
{
    auto back = MakeWindow(9);
    auto front = MakeWindow(9);
    back->SetContentRect(CLRect{100, 100, 300, 200});
    front->SetContentRect(CLRect{100, 150, 300, 250}); // its title bar covers 100..150 x 128..150
    fDesktop.ShowWindow(back.get());
    fDesktop.ShowWindow(front.get());
    EXPECT_EQ(NativeWindow::WindowAtPoint(CLPoint{150, 160}), front.get());
    EXPECT_EQ(NativeWindow::WindowAtPoint(CLPoint{150, 140}), back.get()); // over the front title bar
    EXPECT_EQ(NativeWindow::WindowAtPoint(CLPoint{150, 90}), nullptr);     // over the back title bar
    EXPECT_EQ(NativeWindow::WindowAtPoint(CLPoint{150, 260}), nullptr);
    front->Native()->ignoresMouseEvents = true;
    EXPECT_EQ(NativeWindow::WindowAtPoint(CLPoint{150, 160}), back.get());
    EXPECT_EQ(NativeWindow::KeyWindow(), front->Native());
}

TEST_F(WindowBridgeTest, ScrollerWidthAndGrowBoxInset)
{
    EXPECT_EQ(GetScrollerWidth(nullptr), 16);
    auto doc = MakeWindow(9);
    auto dialog = MakeWindow(0);
    dialog->Native()->SetLevel(3);
    EXPECT_EQ(GetScrollerWidth(doc->Native()), 15);
    EXPECT_EQ(GetScrollerWidth(dialog->Native()), 11);
    LSystemInfo& info = LSystemInfo::Global();
    const uint32_t saved = info.osVersion;
    info.osVersion = LSystemInfo::PackOsVersion(10, 6, 8);
    EXPECT_EQ(GetGrowBoxInset(doc->Native()), 15);
    EXPECT_EQ(GetGrowBoxInset(dialog->Native()), 0); // not resizable
    info.osVersion = LSystemInfo::PackOsVersion(10, 7, 0);
    EXPECT_EQ(GetGrowBoxInset(doc->Native()), 0);
    info.osVersion = saved;
}
