#include "platform/Clock.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/Slider.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plat;

namespace {

// A key document window at the screen's bottom-left holding one control view. Content points
// are given top-down (as the flipped control sees them) and turned into screen points.
class ControlViewTest : public ::testing::Test {
protected:
    void Show(std::unique_ptr<Control> control, const Rect& frameTopDown)
    {
        fWindow = Window::Make(Rect{0, 0, 300, 200}, kStyleTitled | kStyleClosable);
        const Rect frame{frameTopDown.x, 200 - frameTopDown.y - frameTopDown.height, frameTopDown.width,
                         frameTopDown.height};
        fView = ControlView::Make(frame, std::move(control));
        fWindow->ContentView()->AddSubview(fView.Get());
        fWindow->MakeKeyAndOrderFront();
    }
    Point Screen(double x, double y) const { return fWindow->ConvertBaseToScreen(Point{x, 200 - y}); }

    ScopedVirtualClock fClock{1000};
    WindowTestDriver fDriver;
    Ref<Window> fWindow;
    Ref<ControlView> fView;
};

} // namespace

TEST_F(ControlViewTest, QueuedDragIsTrackedBeforeThePressReturns)
{
    auto slider = std::make_unique<Slider>();
    slider->SetMaxValue(100);
    std::vector<int> values;
    Slider* model = slider.get();
    slider->SetAction([&] { values.push_back(model->IntValue()); });
    Show(std::move(slider), Rect{10, 10, 116, 20});
    fDriver.PostMouse(EventType::LeftMouseDown, Screen(18, 20));
    fDriver.PostMouse(EventType::LeftMouseDragged, Screen(43, 20));
    fDriver.PostMouse(EventType::LeftMouseDragged, Screen(68, 20));
    fDriver.PostMouse(EventType::LeftMouseUp, Screen(68, 25));
    EXPECT_EQ(fDriver.DeliverAll(), 1);   // the press; the view took the rest itself
    EXPECT_EQ(values, (std::vector<int>{25, 50, 50}));
    EXPECT_FALSE(model->IsTracking());
}

TEST_F(ControlViewTest, DeliveredDragsContinueAGestureStartedOnTheView)
{
    auto popup = std::make_unique<PopUpButton>();
    for (const char* title : {"a", "b", "c"})
        popup->InsertItem(title, popup->ItemCount());
    popup->SelectItem(0);
    PopUpButton* model = popup.get();
    Show(std::move(popup), Rect{10, 10, 100, 20});
    fDriver.Drag(Screen(20, 20), {Screen(20, 40)}, Screen(20, 55));
    EXPECT_EQ(model->SelectedIndex(), 2);
    EXPECT_FALSE(model->IsMenuOpen());
}

TEST_F(ControlViewTest, AnOpenPopUpListShowsInAPopUpMenuWindowOverItsRows)
{
    auto popup = std::make_unique<PopUpButton>();
    for (const char* title : {"a", "b", "c", "d"})
        popup->InsertItem(title, popup->ItemCount());
    popup->SelectItem(1);
    PopUpButton* model = popup.get();
    Show(std::move(popup), Rect{10, 170, 100, 20}); // near the bottom: rows reach past the window
    fDriver.PlanPress(0, Screen(20, 180));
    fDriver.PlanStep(60, [&] {
        const std::vector<uint32_t> shown = fDriver.OnScreen();
        ASSERT_EQ(shown.size(), 2u);
        Window* list = WindowServer::Shared().WithNumber(shown.front());
        EXPECT_EQ(list->Level(), kLevelPopUpMenu);
        // Four rows of the control's height: the selected one over the button would put the
        // last row below the screen's bottom edge, so the list rises to stand on it.
        EXPECT_EQ(list->Frame().x, 10);
        EXPECT_EQ(list->Frame().height, 80);
        EXPECT_LT(list->Frame().y, fWindow->Frame().y + 10); // below the window's bottom edge
        EXPECT_EQ(list->Frame().y, 0);
        ASSERT_TRUE(DisplayCycle::Display(*list));
        EXPECT_NE(list->BackingImage()->Pixel(50, 10), 0u);
    });
    // Released where it was pressed, the list stays open; a click there chooses the row that
    // now lies under the button, the last one.
    fDriver.PlanRelease(500, Screen(20, 180));
    fDriver.PlanStep(10, [&] { EXPECT_TRUE(model->IsMenuOpen()); });
    fDriver.PlanClick(Screen(20, 180));
    fDriver.Play();
    EXPECT_EQ(fDriver.OnScreen().size(), 1u);
    EXPECT_EQ(model->SelectedIndex(), 3);
}

TEST_F(ControlViewTest, DisplayCycleDrawsTheControlWithItsTitle)
{
    auto button = std::make_unique<Button>();
    std::string error;
    Ref<Font> font = Ref<Font>::Adopt(Font::Open("DejaVu Sans", 13, false, false, &error));
    ASSERT_TRUE(font) << error;
    button->SetFont(font.Get());
    button->SetTitle("OK");
    const Rect natural = button->NaturalSize();
    EXPECT_EQ(natural.width, std::ceil(font->Advance("OK")) + 24);
    Show(std::move(button), Rect{10, 10, natural.width, natural.height});
    ASSERT_TRUE(DisplayCycle::Display(*fWindow));
    const Bitmap* image = fWindow->BackingImage();
    ASSERT_NE(image, nullptr);
    // The face colour inside the button's edge, and dark title pixels in its middle.
    const uint32_t face = image->Pixel(12, 12);
    EXPECT_NEAR(static_cast<int>(face & 0xFF), 237, 1);
    int dark = 0;
    for (int y = 10; y < 10 + static_cast<int>(natural.height); ++y)
        for (int x = 10; x < 10 + static_cast<int>(natural.width); ++x)
            dark += (image->Pixel(x, y) & 0xFF) < 0x40;
    EXPECT_GT(dark, 10);
}
