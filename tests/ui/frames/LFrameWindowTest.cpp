#include "tests/ui/frames/FrameTestKit.h"
#include "tests/ui/LayoutResources.h"
#include "foundation/text/LStrList.h"
#include "foundation/input/LMouse.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/CPanelWindowKind.h"
#include "shell/windows/WindowNumberCache.h"
#include "ui/frames/LPlacement.h"
#include "ui/panes/LDrawPort.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/windows/LWindow.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A pane that keeps the mouse messages addressed to it.
struct MousePane : LPane {
    using LPane::LPane;
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.type && std::string(msg.type).rfind("LMouse_", 0) == 0) {
            seen.emplace_back(msg.type);
            LMessage::Clear(result);
            return;
        }
        LPane::HandleMessage(result, msg);
    }
    std::vector<std::string> seen;
};

// Hands back to their subject what it does not record, like the top of every chain.
struct TopHandler : LHandler {
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.emplace_back(msg.type ? msg.type : "");
        LHandler::HandleMessage(result, msg);
    }
    int Count(const char* type) const { return static_cast<int>(std::count(seen.begin(), seen.end(), type)); }
    std::vector<std::string> seen;
};

class WindowFrame : public ::testing::Test {
protected:
    WindowFrame() { WindowNumberCache::MarkStale(); }
    ~WindowFrame() override { WindowNumberCache::MarkStale(); }

    LWindowDef Def(uint32_t layer = LWindowDef::kLayerDocument)
    {
        return LWindowDef(layer, static_cast<CNativeWindowKind*>(fKind.Get()));
    }
    // A point of the window's content in the driver's bottom-left screen coordinates.
    plat::Point At(const LFrame& frame, int32_t x, int32_t y)
    {
        const CLRect content = frame.GetWindowContentRect();
        return {double(content.left + x), double(900 - (content.top + y))};
    }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LKeyboard fKeyboard;
    LRef fKind{new CNativeWindowKind(99)};
    TopHandler fTop;
};

TEST_F(WindowFrame, OwnsAWindowAndIsNoChildOfItsHost)
{
    RootFrame host(&fTop);
    {
        LFrame frame(&host, &host, Def());
        ASSERT_NE(frame.Window(), nullptr);
        EXPECT_EQ(frame.Window()->GetOwner(), &frame);
        EXPECT_EQ(frame.Host(), &host);
        // Announced as a child window, not as a child pane.
        EXPECT_EQ(std::pair(host.Children().Count(), host.ChildWindows().Count()), std::pair(0u, 1u));
        EXPECT_EQ(LPaneContext::FromPane(frame).window, frame.Window()->Native());
    }
    EXPECT_EQ(host.ChildWindows().Count(), 0u);
    LFrame nested(&host, &host, LWindowDef::Default());
    EXPECT_EQ(nested.Window(), nullptr);
    EXPECT_EQ(host.Children().Count(), 1u);
}

TEST_F(WindowFrame, ShowingSizesAndActivatesTheFrameAndTheCloseBoxHidesIt)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetWindowContentRect({100, 120, 400, 320});
    EXPECT_EQ(frame.Rect(), (CLRect{0, 0, 300, 200}));
    EXPECT_EQ(frame.GetWindowContentRect(), (CLRect{100, 120, 400, 320}));
    frame.ShowWindow();
    EXPECT_TRUE(frame.Window()->IsVisible() && frame.IsFullyActive() && (frame.Flags() & kPaneKeyWindow));
    EXPECT_GE(fTop.Count("LFrame_Activate"), 1);
    frame.HideWindow();
    EXPECT_FALSE(frame.Window()->IsVisible() || (frame.Flags() & kPaneHostShown));
    frame.ShowWindow();
    fDriver.CloseByUser(*frame.Window()->Native());
    EXPECT_EQ(fTop.Count("LFrame_Close"), 1);
    EXPECT_FALSE(frame.Window()->IsVisible()) << "the close came back to the frame, which hides";
}

TEST_F(WindowFrame, ClicksGoToTheLastChildUnderTheMouseAndCursorMessagesTrackIt)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetWindowContentRect({100, 100, 400, 300});
    MousePane first(&frame, &frame);
    first.SetRect({10, 10, 60, 60});
    MousePane second(&frame, &frame);
    second.SetRect({40, 40, 90, 90});
    frame.ShowWindow();

    // The top-left pixel belongs to the pane; a click on no pane goes to the frame, which takes it.
    for (const auto& [x, y] : {std::pair(50, 50), {10, 10}, {200, 150}})
        fDriver.Click(At(frame, x, y));
    EXPECT_EQ(first.seen, std::vector<std::string>{"LMouse_Click"});
    EXPECT_EQ(second.seen, std::vector<std::string>{"LMouse_Click"});
    // Cursor messages track the pane under the mouse.
    LFrame tracked(&fTop, nullptr, Def());
    tracked.SetWindowContentRect({100, 100, 400, 300});
    MousePane left(&tracked, &tracked);
    left.SetRect({0, 0, 50, 50});
    MousePane right(&tracked, &tracked);
    right.SetRect({60, 0, 110, 50});
    tracked.ShowWindow();

    fMouse.location = {110, 110};
    LMessage::Send(LMessage(LWindow::msgCursor, tracked.Window(), &tracked));
    EXPECT_EQ(LFrame::MousePane(), &left);
    fMouse.location = {170, 110};
    LMessage::Send(LMessage(LWindow::msgCursor, tracked.Window(), &tracked));
    EXPECT_EQ(LFrame::MousePane(), &right);
    EXPECT_EQ(left.seen, (std::vector<std::string>{"LMouse_Cursor", "LMouse_Leave"})) << "the pane the mouse left hears of it";
    EXPECT_EQ(right.seen, (std::vector<std::string>{"LMouse_Cursor"}));
    LFrame::ClearMousePane();
    EXPECT_EQ(right.seen.back(), "LMouse_Leave");
    EXPECT_EQ(LFrame::MousePane(), nullptr);
}

TEST_F(WindowFrame, TabWrapsInsideAWindowAndIsConsumed)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetWindowContentRect({100, 100, 400, 300});
    StopPane a(&frame, {0, 0, 10, 10});
    StopPane b(&frame, {20, 0, 30, 10});
    frame.ShowWindow();
    EXPECT_EQ(frame.Focus(), &a) << "showing a window focuses its first stop";
    EXPECT_TRUE(a.Flags() & kPaneFocusShown);
    fKeyboard.character = 9;
    for (LPane* expected : {static_cast<LPane*>(&b), static_cast<LPane*>(&a)}) {
        LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, frame.FocusTarget()));
        EXPECT_EQ(frame.Focus(), expected);
    }
    EXPECT_EQ(fTop.Count(LKeyboard::msgDown), 0);
}

TEST_F(WindowFrame, PlacingNegotiatesTheSizeWithTheLayout)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetLayout(LayoutResources::MakeList({"", "pp(0, 0, 0, 10, 10)", ""}), LFrame::kFormulaLayout);
    frame.PlaceWindow({200, 200, 210, 210}, nullptr);
    EXPECT_EQ(frame.GetWindowContentRect().Width(), 40) << "the placer's minimum";
    EXPECT_EQ(frame.Rect(), (CLRect{0, 0, 40, 40}));

    frame.SetLayout(LayoutResources::MakeList({"", "pp(0, 0, 0, 250, 120)", ""}), LFrame::kFormulaLayout);
    frame.PlaceWindow({200, 200, 300, 300}, nullptr);
    EXPECT_EQ(frame.Rect(), (CLRect{0, 0, 250, 120})) << "the layout's preferred size is the minimum";
    frame.Relayout();
    EXPECT_EQ(frame.Rect(), (CLRect{0, 0, 250, 120})) << "a large enough window keeps its size";
}

TEST_F(WindowFrame, DisplayCycleDrawsTheFrameAndItsChildren)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetWindowContentRect({100, 100, 200, 160});
    frame.SetBackground(CColorRef(CColor::Grey(4)));
    BlackPane pane(&frame, &frame);
    pane.SetRect({10, 20, 14, 24});
    frame.ShowWindow();
    plat::DisplayCycle::DisplayIfNeeded();

    const plat::Bitmap* image = frame.Window()->Native()->BackingImage();
    ASSERT_NE(image, nullptr);
    // The content lies at the bottom of the window image, below any title bar.
    // The pane ends at its right edge; the background fills the content.
    const int top = image->Height() - 60;
    EXPECT_EQ(std::tuple(image->Pixel(10, top + 20), image->Pixel(13, top + 23), image->Pixel(14, top + 23),
                         image->Pixel(99, top + 59)),
              std::tuple(0xFF000000u, 0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu));
    int black = 0;
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x)
            black += image->Pixel(x, y) == 0xFF000000u ? 1 : 0;
    EXPECT_EQ(black, 16);
}

TEST_F(WindowFrame, CascadeMovesANewWindowOffTheOthers)
{
    LPlacement cascade;
    cascade.InitCascade();
    std::vector<std::unique_ptr<LFrame>> frames;
    for (const CLRect expected : {CLRect{100, 100, 300, 200}, CLRect{118, 118, 318, 218}, CLRect{136, 136, 336, 236}}) {
        frames.push_back(std::make_unique<LFrame>(&fTop, nullptr, Def()));
        frames.back()->SetWindowContentRect({100, 100, 300, 200});
        cascade.Apply(*frames.back());  // the first, with no other window, stays in place
        EXPECT_EQ(frames.back()->GetWindowContentRect(), expected);
        frames.back()->ShowWindow();
    }
}

TEST_F(WindowFrame, WhatAFrameDoesNotTakePassesOn)
{
    LFrame document(&fTop, nullptr, Def());
    document.SetWindowContentRect({100, 100, 300, 200});
    document.ShowWindow();
    LFrame palette(&fTop, nullptr, Def(LWindowDef::kLayerFloating));
    StopPane inPalette(&palette, {0, 0, 10, 10});
    fTop.seen.clear();
    // A focus request from another window passes unchanged.
    LMessage result;
    document.HandleMessage(result, LMessage(LPane::msgReqFocus, &inPalette, &document));
    EXPECT_EQ(std::tuple(result.type, result.subject, result.recipient),
              std::tuple(LPane::msgReqFocus, static_cast<LHandler*>(&inPalette), static_cast<LHandler*>(&fTop)));
    EXPECT_EQ(document.Focus(), nullptr);
    // A floating window passes to the front document, a document window's frame to its parent.
    palette.HandleMessage(result, LMessage("CApp_Something", &palette, &palette));
    EXPECT_EQ(result.recipient, &document);
    document.HandleMessage(result, LMessage("CApp_Something", &document, &document));
    EXPECT_EQ(result.recipient, &fTop);
}

// A panel that takes the keys only when needed shows beside the key document without them and
// takes them when one of its panes asks for the focus; one that stays visible takes them as it
// shows.
TEST_F(WindowFrame, AFloatingPanelTakesTheKeysAsItShowsOnlyWhenItMust)
{
    for (const auto& [flags, keyAtShow] : {std::pair(0u, false), std::pair(CPanelWindowKind::kFlagStaysVisible, true)}) {
        LFrame document(&fTop, nullptr, Def());
        document.SetWindowContentRect({100, 100, 300, 200});
        document.ShowWindow();
        LRef kind(new CPanelWindowKind(4, flags));
        LFrame panel(&fTop, nullptr, LWindowDef(LWindowDef::kLayerFloating, static_cast<CNativeWindowKind*>(kind.Get())));
        panel.SetWindowContentRect({400, 100, 500, 200});
        StopPane stop(&panel, {0, 0, 10, 10});
        panel.ShowWindow();
        EXPECT_EQ(panel.Focus(), &stop) << flags;
        EXPECT_EQ(panel.Window()->Native()->IsKey(), keyAtShow) << flags;
        LMessage::Send(LMessage(LPane::msgReqFocus, &stop, &panel));
        EXPECT_TRUE(panel.Window()->Native()->IsKey()) << flags;
    }
}

TEST_F(WindowFrame, DrawPortsOfNestedPanesMeasureInTheirOwnCoordinates)
{
    LFrame frame(&fTop, nullptr, Def());
    frame.SetWindowContentRect({100, 100, 400, 300});
    LFrame nested(&frame, &frame);
    nested.SetRect({50, 40, 250, 140});
    LPane pane(&nested, &nested);
    pane.SetRect({10, 10, 20, 20});
    const LPaneContext context = LPaneContext::FromPane(pane);
    EXPECT_EQ(context.window, frame.Window()->Native());
    EXPECT_EQ(std::pair(context.originX, context.originY), std::pair(50, 40));
    LDrawPort port(context);
    ASSERT_NE(port.Port().Context(), nullptr) << "the measuring canvas";
    EXPECT_EQ(port.Port().Origin(), (CLPoint{50, 40}));
    EXPECT_EQ(port.Port().Clip().GetBounds(), (CLRect{0, 0, 200, 100})) << "the nested frame in its own coordinates";
    EXPECT_EQ(std::pair(pane.OriginIn(nullptr), pane.OriginIn(&nested)), std::pair(CLPoint{60, 50}, CLPoint{10, 10}));
}

} // namespace

