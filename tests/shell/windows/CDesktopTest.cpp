#include "WindowBridgeKit.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/windows/CPanelWindowKind.h"
#include "shell/windows/Displays.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

class CDesktopTest : public WindowBridgeTest {};

// Two screens side by side: the main one 1440 x 900 with a menu bar, a second 1024 x 768 to
// its right, bottoms aligned.
void TwoScreens()
{
    plat::Screens::Set({plat::Screens::Make(1, plat::Rect{0, 0, 1440, 900}, true),
                        plat::Screens::Make(2, plat::Rect{1440, 0, 1024, 768}, false)});
}

} // namespace

TEST_F(CDesktopTest, ShowingTheKeyWindowReturnsAtOnceAndFloatingWindowsHearActivate)
{
    auto doc = MakeWindow(9);
    fDesktop.ShowWindow(doc.get());
    EXPECT_TRUE(doc->Native()->IsKey());
    fFrame.seen.clear();
    plat::WindowServer::Shared().SetPresentationStalled(true); // a wait would now last its limit
    const auto start = std::chrono::steady_clock::now();
    fDesktop.ShowWindow(doc.get());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(fFrame.seen.empty());
    plat::WindowServer::Shared().SetPresentationStalled(false);

    auto floating = MakeWindow(9, LWindowDef::kLayerFloating);
    fDesktop.ShowWindow(floating.get());
    EXPECT_TRUE(floating->IsVisible());
    EXPECT_TRUE(doc->Native()->IsKey());
    EXPECT_EQ(fFrame.seen, (std::vector<std::string>{"LWindow_Activate"}));
    floating->MakeKey(); // a floating window may be made key by the framework
    EXPECT_TRUE(floating->Native()->IsKey());
    doc->MakeKey(); // other layers are left alone
    EXPECT_TRUE(floating->Native()->IsKey());
}

TEST_F(CDesktopTest, AWindowThatNeverReachesTheScreenIsWaitedForAtMostOneSecond)
{
    auto doc = MakeWindow(9);
    plat::WindowServer::Shared().SetPresentationStalled(true);
    const auto start = std::chrono::steady_clock::now();
    fDesktop.ShowWindow(doc.get());
    const auto waited = std::chrono::steady_clock::now() - start;
    plat::WindowServer::Shared().SetPresentationStalled(false);
    EXPECT_GE(waited, std::chrono::milliseconds(990));
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    auto modal = MakeWindow(0, LWindowDef::kLayerModal);
    plat::WindowServer::Shared().SetHidden(true);
    fDesktop.ShowWindow(modal.get()); // nothing while the application is hidden
    plat::WindowServer::Shared().SetHidden(false);
    EXPECT_FALSE(modal->IsVisible());
}

TEST_F(CDesktopTest, WalksVisibleFrameworkWindowsAndSkipsForeignOnes)
{
    auto back = MakeWindow(9);
    auto hidden = MakeWindow(9);
    auto front = MakeWindow(9);
    LRef panelKind(new CPanelWindowKind(1, 0));
    plat::Ref<plat::Window> foreign = static_cast<CPanelWindowKind*>(panelKind.Get())->CreateWindow();
    fDesktop.ShowWindow(back.get());
    fDesktop.ShowWindow(front.get());
    foreign->OrderFront(); // a panel of the system's own, without a framework window
    WindowNumberCache::MarkStale();
    EXPECT_EQ(CDesktop::FrontVisibleWindow(), front.get());
    EXPECT_EQ(CDesktop::NextVisibleWindow(front.get()), back.get());
    EXPECT_EQ(CDesktop::NextVisibleWindow(back.get()), nullptr);
    EXPECT_EQ(CDesktop::NextVisibleWindow(hidden.get()), nullptr);
    EXPECT_EQ(CDesktop::FindWindowOfLayer(1), front.get());
    EXPECT_EQ(CDesktop::FindWindowOfLayer(2), nullptr);

    fDesktop.ShowWindowRelative(hidden.get()); // directly behind the front window of its layer
    EXPECT_EQ(CDesktop::NextVisibleWindow(front.get()), hidden.get());
    EXPECT_EQ(CDesktop::NextVisibleWindow(hidden.get()), back.get());
    fDesktop.HideWindow(front.get());
    EXPECT_EQ(CDesktop::FrontVisibleWindow(), hidden.get());
    fDesktop.HideWindow(nullptr);
    fDesktop.DeleteObject(back.release());
    EXPECT_EQ(CDesktop::NextVisibleWindow(hidden.get()), nullptr);
}

TEST_F(CDesktopTest, ScreensAndDisplays)
{
    EXPECT_EQ(CDesktop::ClipToScreens(CLRect{-500, -500, -100, -100}), CLRect{});
    EXPECT_EQ(CDesktop::ClipToScreens(CLRect{-10, 0, 100, 100}), (CLRect{0, 22, 100, 100}));
    EXPECT_EQ(GetMainScreenVisibleRect(), (CLRect{0, 22, 1440, 900}));
    EXPECT_EQ(CDesktop::GetDisplaysUnion(true), CLRect{}); // one display without the main one
    EXPECT_EQ(CDesktop::GetDisplaysUnion(false), (CLRect{0, 0, 1440, 900}));
    EXPECT_EQ(CDesktop::FindDisplayForRect(CLRect{5000, 0, 5100, 100}), 0u);
    TwoScreens();
    EXPECT_EQ(GetDisplayBounds(2), (CLRect{1440, 132, 2464, 900}));
    EXPECT_EQ(CDesktop::FindDisplayForRect(CLRect{1400, 200, 1600, 300}), 2u); // more of it on the second
    EXPECT_EQ(CDesktop::FindDisplayForRect(CLRect{1340, 200, 1540, 300}), 1u); // a tie keeps the first
    EXPECT_EQ(CDesktop::GetDisplaysUnion(true), (CLRect{1440, 132, 2464, 900}));
    EXPECT_EQ(CDesktop::GetDisplaysUnion(false), (CLRect{0, 0, 2464, 900}));
    EXPECT_EQ(GetActiveDisplay(1), 2u);
    EXPECT_EQ(GetActiveDisplay(2), 0u);
    EXPECT_EQ(Desktop::MainDisplayBounds(), (CLRect{0, 0, 1440, 900}));
}

TEST_F(CDesktopTest, ShiftOntoScreenKeepsFramesOnTheVisibleAreaAndSetsTheShiftedRect)
{
    auto doc = MakeWindow(9);
    CLRect rect{1400, 850, 1600, 1000}; // off the right and bottom edges
    CDesktop::ShiftOntoScreen(doc.get(), rect);
    EXPECT_EQ(rect, (CLRect{1240, 750, 1440, 900}));
    CLRect offAll{5000, 5000, 5100, 5100}; // no display: the main one is used
    CDesktop::ShiftOntoScreen(doc.get(), offAll);
    EXPECT_EQ(offAll, (CLRect{1340, 800, 1440, 900}));
    CLRect tall{100, 50, 300, 1200}; // taller than the screen: the frame's top at the visible top
    CDesktop::ShiftOntoScreen(doc.get(), tall);
    EXPECT_EQ(doc->FrameRectForContentRect(tall).top, 22);
    CLRect wide{-50, 100, 2000, 200};
    CDesktop::ShiftOntoScreen(doc.get(), wide);
    EXPECT_EQ(wide.left, 0);
    CDesktop::SetWindowRectOnScreen(doc.get(), CLRect{-30, 10, 170, 110});
    EXPECT_EQ(doc->GetContentRect(), (CLRect{0, 44, 200, 144}));
    EXPECT_EQ(doc->GetFrameRect().top, 22);
}
