#include "WindowBridgeKit.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "shell/windows/CPanelWindowKind.h"
#include "shell/windows/NativeWindow.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

plat::Ref<plat::Window> Made(int64_t kind)
{
    LRef hold(new CNativeWindowKind(static_cast<uint32_t>(kind)));
    return static_cast<CNativeWindowKind*>(hold.Get())->CreateWindow();
}

} // namespace

TEST(CNativeWindowKind, KindsChooseStyleAndLevelAndUnknownOnesAreTitledAndClosable)
{
    plat::WindowTestDriver driver; // one 1440 x 900 screen
    const std::tuple<int64_t, uint32_t, int> cases[] = {{13, 3, 0}, {255, 3, 0}, {-1, 3, 0}, {0, 1, 8}, {1, 9, 8},
                                                        {2, 1, 8}, {11, 1, 8}, {9, 15, 0}, {3, 7, 0}, {12, 0, 0}};
    for (const auto& [kind, style, level] : cases) {
        auto window = Made(kind);
        EXPECT_EQ(std::make_pair(window->StyleMask(), window->Level()), std::make_pair(style, level)) << kind;
        EXPECT_FALSE(window->IsVisible() || window->IsPanel()); // made hidden
    }
    const plat::Rect content = NativeWindow::Create(1, 0)->ContentRect(); // at the starting rectangle
    EXPECT_EQ(std::make_tuple(content.x, content.y, content.width, content.height), std::make_tuple(40.0, 780.0, 120.0, 80.0));
}

TEST(CPanelWindowKind, FlagsChooseDeactivationFocusAndLevel)
{
    plat::WindowTestDriver driver;
    const auto make = [](uint32_t kind, uint32_t flags) {
        LRef hold(new CPanelWindowKind(kind, flags));
        return static_cast<CPanelWindowKind*>(hold.Get())->CreateWindow();
    };
    auto plain = make(1, 0);
    EXPECT_TRUE(plain->IsPanel() && plain->floatingPanel && plain->hidesOnDeactivate && plain->becomesKeyOnlyIfNeeded);
    EXPECT_EQ(std::make_pair(plain->StyleMask(), plain->Level()), std::make_pair(19u, 0));
    auto sticky = make(3, CPanelWindowKind::kFlagStaysVisible | CPanelWindowKind::kFlagFloatingLevel);
    EXPECT_FALSE(sticky->hidesOnDeactivate || sticky->becomesKeyOnlyIfNeeded);
    EXPECT_EQ(std::make_pair(sticky->StyleMask(), sticky->Level()), std::make_pair(31u, 4));
    sticky->OrderFront();
    plain->OrderFront();
    plat::WindowServer::Shared().SetActive(false);
    EXPECT_TRUE(sticky->IsVisible());
    EXPECT_FALSE(plain->IsVisible());
    plat::WindowServer::Shared().SetActive(true);
    EXPECT_TRUE(make(6, 0)->ignoresMouseEvents);
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

