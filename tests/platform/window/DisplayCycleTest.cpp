#include "WindowKit.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace plat;

namespace {

constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kRed = 0xFFFF0000;

// Fills everything it may touch with its colour, and writes down the rectangles it was given.
class PaintView : public View {
public:
    static Ref<PaintView> Make(const Rect& frame, bool flipped = false)
    {
        auto view = Ref<PaintView>::Adopt(new PaintView(frame));
        view->flipped = flipped;
        return view;
    }
    bool IsFlipped() const override { return flipped; }
    void DrawRect(const Rect& dirty) override
    {
        const CurrentDrawing* drawing = CurrentDrawing::Get();
        ASSERT_NE(drawing, nullptr);
        EXPECT_EQ(drawing->view, this);
        rects = drawing->rects;
        lastDirty = dirty;
        ++draws;
        drawing->canvas->SetFillColor(color);
        drawing->canvas->FillRect(Rect{-1000, -1000, 3000, 3000});
        if (marker) {
            drawing->canvas->SetFillColor(Color{0, 1, 0, 1});
            drawing->canvas->FillRect(Rect{0, 0, 10, 10}); // the view's origin corner
        }
    }

    Color color{0, 0, 1, 1};
    bool flipped = false;
    bool marker = false;
    std::vector<Rect> rects;
    Rect lastDirty;
    int draws = 0;

private:
    using View::View;
};

class DisplayCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fWindow->SetContentView(fView.Get());
        fWindow->OrderFront();
    }

    WindowTestDriver fDriver;
    Ref<Window> fWindow = MakeDocument(100, 100, 100, 60);
    Ref<PaintView> fView = PaintView::Make(Rect{0, 0, 100, 60});
};

} // namespace

TEST_F(DisplayCycleTest, FirstPassPaintsTheWholeContentThenOnlyWhatIsDirty)
{
    const int presents = HeadlessBackend::Shared().presents;
    EXPECT_EQ(DisplayCycle::DisplayIfNeeded(), 1);
    EXPECT_EQ(HeadlessBackend::Shared().presents, presents + 1);
    const Bitmap* image = fWindow->BackingImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 100);
    EXPECT_EQ(image->Height(), 60);
    EXPECT_EQ(image->Pixel(0, 0), kBlue);
    EXPECT_EQ(image->Pixel(99, 59), kBlue);
    EXPECT_EQ(DisplayCycle::DisplayIfNeeded(), 0); // nothing dirty
    EXPECT_EQ(fView->draws, 1);
}

TEST_F(DisplayCycleTest, ClipsToExactlyTheDirtyRectangles)
{
    DisplayCycle::DisplayIfNeeded();
    fView->color = Color{1, 0, 0, 1};
    fView->SetNeedsDisplayInRect(Rect{0, 0, 10, 5});    // bottom-left corner: image rows 55..59
    fView->SetNeedsDisplayInRect(Rect{50, 40, 20, 10}); // image rows 10..19, columns 50..69
    ASSERT_TRUE(DisplayCycle::Display(*fWindow));
    const Bitmap& image = *fWindow->BackingImage();
    int red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inFirst = x < 10 && y >= 55;
            const bool inSecond = x >= 50 && x < 70 && y >= 10 && y < 20;
            const uint32_t expected = (inFirst || inSecond) ? kRed : kBlue;
            if (image.Pixel(x, y) != expected)
                ADD_FAILURE() << "pixel " << x << "," << y;
            red += image.Pixel(x, y) == kRed;
        }
    EXPECT_EQ(red, 50 + 200);
    ASSERT_EQ(fView->rects.size(), 2u);
    EXPECT_DOUBLE_EQ(fView->rects[0].y, 0); // handed back in the view's own coordinates
    EXPECT_DOUBLE_EQ(fView->rects[1].y, 40);
    EXPECT_DOUBLE_EQ(fView->lastDirty.width, 70);
    EXPECT_DOUBLE_EQ(fView->lastDirty.height, 50);
}

TEST_F(DisplayCycleTest, UnflippedViewsDrawFromTheBottomAndFlippedOnesFromTheTop)
{
    auto flipped = PaintView::Make(Rect{60, 0, 40, 60}, true);
    flipped->marker = true;
    fView->marker = true;
    fView->AddSubview(flipped.Get());
    DisplayCycle::DisplayIfNeeded();
    const Bitmap& image = *fWindow->BackingImage();
    EXPECT_EQ(image.Pixel(0, 59), 0xFF00FF00u);  // bottom-left of the content view
    EXPECT_EQ(image.Pixel(0, 0), kBlue);
    EXPECT_EQ(image.Pixel(60, 0), 0xFF00FF00u);  // top-left of the flipped subview
    EXPECT_EQ(image.Pixel(60, 59), kBlue);
    EXPECT_EQ(flipped->draws, 1);
}

TEST_F(DisplayCycleTest, SubviewsRedrawWhereTheirSuperviewWasDirtyAndHiddenOnesNever)
{
    auto sub = PaintView::Make(Rect{0, 0, 20, 20});
    auto hidden = PaintView::Make(Rect{0, 0, 100, 60});
    hidden->SetHidden(true);
    fView->AddSubview(sub.Get());
    fView->AddSubview(hidden.Get());
    DisplayCycle::DisplayIfNeeded();
    fView->SetNeedsDisplayInRect(Rect{10, 10, 5, 5});
    DisplayCycle::DisplayIfNeeded();
    EXPECT_EQ(sub->draws, 2);
    EXPECT_EQ(hidden->draws, 0);
    fView->SetNeedsDisplayInRect(Rect{50, 50, 5, 5}); // away from the subview
    DisplayCycle::DisplayIfNeeded();
    EXPECT_EQ(sub->draws, 2);
    EXPECT_EQ(CurrentDrawing::Get(), nullptr);
}

TEST_F(DisplayCycleTest, ResizingReplacesTheImageAndSnapshotsWritePng)
{
    DisplayCycle::DisplayIfNeeded();
    fWindow->SetFrame(Rect{100, 100, 50, 40 + 22}, true);
    const std::string path = std::string(std::getenv("TMPDIR")) + "/window.png";
    ASSERT_TRUE(fDriver.SnapshotPng(*fWindow, path));
    Bitmap loaded;
    ASSERT_TRUE(Bitmap::LoadPng(path, loaded));
    EXPECT_EQ(loaded.Width(), 50);
    EXPECT_EQ(loaded.Height(), 40);
    EXPECT_EQ(loaded.Pixel(49, 39), kBlue);
}
