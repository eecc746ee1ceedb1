#include "shell/draw/CDrawContext.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "ui/draw/LFillRectOp.h"
#include "platform/window/WindowStyle.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A titled window whose content sits at (100, 200) from the top-left of the 1440 x 900 screen,
// 300 x 150 points large.
plat::Ref<plat::Window> MakeWindow()
{
    double bottom = 900 - 200 - 150;
    return plat::Window::Make({100, bottom, 300, 150}, 0);
}

} // namespace

TEST(CDrawContext, MeasuringPortCoversTheContentAtTheOriginAndEndsTransparent)
{
    plat::Ref<plat::Window> window = MakeWindow();
    {
        CDrawContext port = CDrawContext::Measure(window.Get());
        EXPECT_EQ(port.Context(), CDrawContext::MeasuringCanvas());
        EXPECT_EQ(port.Clip().GetBounds(), (CLRect{0, 0, 300, 150}));
        EXPECT_FALSE(port.InDrawRect());
        EXPECT_EQ(port.GlobalToLocal({100, 200}), (CLPoint{0, 0}));
        LOriginRecord moved = port.OffsetOrigin(7, 9);
        (void)moved;
        EXPECT_EQ(port.GlobalToLocal({100, 200}), (CLPoint{-7, -9}));
        for (CLPoint p : {CLPoint{0, 0}, CLPoint{-50, 1000}, CLPoint{123, 456}})
            EXPECT_EQ(port.LocalToGlobal(port.GlobalToLocal(p)), p);
        port.ApplyColors(CColor::Grey(1));
        EXPECT_DOUBLE_EQ(CDrawContext::MeasuringCanvas()->FillColor().alpha, 1.0);
    }
    const plat::Color fill = CDrawContext::MeasuringCanvas()->FillColor();
    EXPECT_EQ(std::make_pair(fill.alpha, fill.red), std::make_pair(0.0, 0.0));
    EXPECT_DOUBLE_EQ(CDrawContext::MeasuringCanvas()->StrokeColor().alpha, 0.0);
}

TEST(CDrawContext, WithoutWindowOrCurrentDrawingThePortIsEmpty)
{
    CDrawContext measuring = CDrawContext::Measure(nullptr);
    EXPECT_EQ(measuring.Context(), nullptr);
    EXPECT_TRUE(measuring.Clip().IsEmpty());
    CDrawContext drawing(nullptr);
    EXPECT_EQ(drawing.Context(), nullptr);
    EXPECT_EQ(drawing.GlobalToLocal({5, 6}), (CLPoint{5, 6}));
    EXPECT_EQ(drawing.LocalToGlobal({5, 6}), (CLPoint{5, 6}));
    plat::Ref<plat::Window> window = MakeWindow();
    CDrawContext outsidePass(window.Get());
    EXPECT_EQ(outsidePass.Context(), nullptr);
    EXPECT_FALSE(outsidePass.InDrawRect());
}

namespace {

// A content view that paints everything it may black through a window drawing context.
class PaintingView : public plat::View {
public:
    static plat::Ref<PaintingView> Make(const plat::Rect& frame)
    {
        return plat::Ref<PaintingView>::Adopt(new PaintingView(frame));
    }
    void DrawRect(const plat::Rect&) override
    {
        if (!paint)
            return;
        {
            CDrawContext port(GetWindow());
            inDrawRect = port.InDrawRect();
            LFillRectOp({0, 0, 1000, 1000}, LBrush::Make(4)).Draw(port);
        }
        // A second context in the same pass starts from the same coordinates.
        CDrawContext port(GetWindow());
        LFillRectOp({39, 0, 40, 1}, LBrush::Make(3)).Draw(port);  // the content's top-right pixel
    }
    bool paint = false;
    bool inDrawRect = false;

private:
    using plat::View::View;
};

} // namespace

TEST(CDrawContext, DrawingIsClippedToTheRectanglesBeingDrawn)
{
    plat::Ref<plat::Window> window = plat::Window::Make({100, 100, 40, 30}, 0);
    plat::Ref<PaintingView> view = PaintingView::Make({0, 0, 40, 30});
    window->SetContentView(view.Get());
    plat::DisplayCycle::Display(*window);  // first pass makes the backing image
    view->paint = true;
    view->SetNeedsDisplayInRect({0, 0, 5, 5});      // bottom-left corner (view y runs upward)
    view->SetNeedsDisplayInRect({20, 20, 20, 10});  // top-right corner
    ASSERT_TRUE(plat::DisplayCycle::Display(*window));
    EXPECT_TRUE(view->inDrawRect);
    const plat::Bitmap& image = *window->BackingImage();
    int black = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            black += image.Pixel(x, y) == 0xFF000000u;
    EXPECT_EQ(black, 25 + 200 - 1);
    // y runs downward from the content's top; the top-right pixel is the second context's.
    const std::tuple<int, int, uint32_t> probes[] = {{0, 29, 0xFF000000u}, {4, 25, 0xFF000000u},
                                                     {39, 0, 0xFFFFFFFFu}, {38, 0, 0xFF000000u},
                                                     {20, 9, 0xFF000000u}};
    for (const auto& [x, y, colour] : probes)
        EXPECT_EQ(image.Pixel(x, y), colour) << x << "," << y;
    for (auto [x, y] : {std::pair{5, 25}, {0, 24}, {19, 9}, {0, 0}}) // outside both rectangles
        EXPECT_NE(image.Pixel(x, y), 0xFF000000u) << x << "," << y;
}
