#include "WindowKit.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

class FlippedView : public View {
public:
    static Ref<FlippedView> Make(const Rect& frame) { return Ref<FlippedView>::Adopt(new FlippedView(frame)); }
    bool IsFlipped() const override { return true; }

private:
    using View::View;
};

} // namespace

TEST(View, ConvertsThroughFlippedAndUnflippedSuperviews)
{
    WindowTestDriver driver;
    auto window = MakeDocument(0, 0, 200, 100);
    auto flipped = FlippedView::Make(Rect{10, 20, 100, 50}); // bottom at 20, top at 70
    window->ContentView()->AddSubview(flipped.Get());
    EXPECT_DOUBLE_EQ(flipped->ConvertToWindow(Point{0, 0}).y, 70); // its top-left corner
    EXPECT_DOUBLE_EQ(flipped->ConvertToWindow(Point{0, 50}).y, 20);
    auto inner = View::Make(Rect{5, 10, 20, 10}); // in flipped coordinates: top 10, bottom 20
    flipped->AddSubview(inner.Get());
    const Point corner = inner->ConvertToWindow(Point{0, 0}); // inner's bottom-left
    EXPECT_DOUBLE_EQ(corner.x, 15);
    EXPECT_DOUBLE_EQ(corner.y, 50);
    const Point back = inner->ConvertFromWindow(corner);
    EXPECT_DOUBLE_EQ(back.x, 0);
    EXPECT_DOUBLE_EQ(back.y, 0);
    const Rect r = inner->ConvertRectToWindow(inner->Bounds());
    EXPECT_DOUBLE_EQ(r.y, 50);
    EXPECT_DOUBLE_EQ(r.height, 10);
}

TEST(View, HitTestPrefersLaterSubviewsAndSkipsHiddenOnes)
{
    WindowTestDriver driver;
    auto window = MakeDocument(0, 0, 200, 100);
    View* content = window->ContentView();
    auto lower = View::Make(Rect{0, 0, 100, 100});
    auto upper = View::Make(Rect{50, 0, 100, 100});
    content->AddSubview(lower.Get());
    content->AddSubview(upper.Get());
    EXPECT_EQ(content->HitTest(Point{75, 10}), upper.Get());
    EXPECT_EQ(content->HitTest(Point{25, 10}), lower.Get());
    EXPECT_EQ(content->HitTest(Point{149.5, 99.5}), upper.Get());
    EXPECT_EQ(content->HitTest(Point{150, 10}), content); // right edge is outside the subview
    EXPECT_EQ(content->HitTest(Point{200, 10}), nullptr); // right edge is outside
    upper->SetHidden(true);
    EXPECT_EQ(content->HitTest(Point{75, 10}), lower.Get());
    EXPECT_EQ(content->HitTest(Point{175, 10}), content);
    upper->RemoveFromSuperview();
    EXPECT_EQ(upper->GetWindow(), nullptr);
    EXPECT_EQ(content->Subviews().size(), 1u);
}

TEST(View, NeedsDisplayMarksTheWindowAndIgnoresEmptyRects)
{
    WindowTestDriver driver;
    auto window = MakeDocument(0, 0, 200, 100);
    window->ClearViewsNeedDisplay();
    window->ContentView()->ClearDirty();
    window->ContentView()->SetNeedsDisplayInRect(Rect{0, 0, 0, 10});
    EXPECT_FALSE(window->ViewsNeedDisplay());
    window->ContentView()->SetNeedsDisplayInRect(Rect{1, 2, 3, 4});
    EXPECT_TRUE(window->ViewsNeedDisplay());
    EXPECT_EQ(window->ContentView()->DirtyRects().size(), 1u);
}
