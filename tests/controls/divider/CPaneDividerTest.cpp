#include "controls/divider/CPaneDivider.h"
#include "foundation/input/LMouse.h"
#include "tests/ui/frames/FrameTestKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A child with fixed preferred sizes.
class SizedPane : public LPane {
public:
    SizedPane(LFrame* host, int32_t width, int32_t height) : LPane(host, host), fWidth(width), fHeight(height) {}
    int32_t PrefWidth(LPaneContext*, int32_t) override { return fWidth; }
    int32_t PrefHeight(LPaneContext*, int32_t) override { return fHeight; }

private:
    int32_t fWidth;
    int32_t fHeight;
};

class CPaneDividerTest : public ::testing::Test {
protected:
    // A divider at (10, 10) in the root frame with children of the given preferred widths.
    CPaneDivider& Make(const std::vector<int32_t>& prefs, int32_t width, int32_t orientation = 0)
    {
        fChildren.clear();
        fDivider = std::make_unique<CPaneDivider>(&fRoot, &fRoot);
        fDivider->SetOrientation(orientation);
        for (int32_t pref : prefs)
            fChildren.push_back(std::make_unique<SizedPane>(fDivider.get(), pref, pref));
        fDivider->SetRect(orientation == 1 ? CLRect{10, 10, 110, 10 + width} : CLRect{10, 10, 10 + width, 110});
        fTop.seen.clear();
        return *fDivider;
    }
    CLRect Child(size_t i) const { return fChildren[i]->Rect(); }
    // Mouse messages at a screen point (no window: screen = root frame coordinates).
    void Mouse(const char* type, int32_t x, int32_t y)
    {
        fMouse.location = {x, y};
        LMessage::Send(LMessage(type, &fMouse, fDivider.get()));
    }

    LMouse fMouse;
    ConsumingRecorder fTop;
    RootFrame fRoot{&fTop};
    std::unique_ptr<CPaneDivider> fDivider;
    std::vector<std::unique_ptr<SizedPane>> fChildren;

    ~CPaneDividerTest() override { fChildren.clear(); }
};

} // namespace

TEST_F(CPaneDividerTest, SharesTheSpaceByPreferredSize)
{
    CPaneDivider& divider = Make({40, 30, 30}, 210);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 80, 100}));
    EXPECT_EQ(Child(1), (CLRect{85, 0, 145, 100}));
    EXPECT_EQ(Child(2), (CLRect{150, 0, 210, 100}));
    EXPECT_EQ(divider.DividerPos(0), 80);
    EXPECT_EQ(divider.DividerPos(1), 145);
    EXPECT_EQ(divider.DividerPos(2), -1);
    EXPECT_EQ(divider.DividerPos(-1), -1);
    EXPECT_EQ(divider.PrefWidth(nullptr, 0), 110);
    EXPECT_EQ(divider.PrefHeight(nullptr, 0), 40);
}

TEST_F(CPaneDividerTest, OneChildFillsTheFrameWithoutABar)
{
    CPaneDivider& divider = Make({70}, 200);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 200, 100}));
    EXPECT_EQ(divider.PrefWidth(nullptr, 0), 70);
    EXPECT_EQ(divider.DividerPos(0), -1);
    EXPECT_EQ(divider.HitTest({100, 50}), fChildren[0].get());
}

TEST_F(CPaneDividerTest, MouseDragMovesTheBarAndTakesFromTheFarSide)
{
    CPaneDivider& divider = Make({40, 30, 30}, 210);
    EXPECT_EQ(divider.HitTest({10 + 82, 50}), &divider) << "on the bar";
    EXPECT_EQ(divider.HitTest({10 + 70, 50}), fChildren[0].get());
    Mouse("LMouse_Click", 10 + 82, 50);
    EXPECT_EQ(fTop.Count("LPane_ReqCapture"), 1);
    EXPECT_EQ(divider.LowerLimit(), 40);
    EXPECT_EQ(divider.UpperLimit(), 140);
    Mouse("LMouse_Move", 10 + 112, 70);
    EXPECT_EQ(divider.TrackPos(), 110);
    Mouse("LMouse_Release", 10 + 112, 70);
    EXPECT_EQ(divider.TrackPos(), -1);
    EXPECT_EQ(fTop.Count("CPaneDivider_Change"), 1);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 110, 100}));
    EXPECT_EQ(Child(1), (CLRect{115, 0, 160, 100}));
    EXPECT_EQ(Child(2), (CLRect{165, 0, 210, 100}));
}

TEST_F(CPaneDividerTest, DragsAreClampedToTheirLimits)
{
    CPaneDivider& divider = Make({40, 30, 30}, 210);
    Mouse("LMouse_Click", 10 + 82, 50);
    Mouse("LMouse_Move", 10 + 400, 50);
    EXPECT_EQ(divider.TrackPos(), 140) << "the upper limit leaves the others their prefs";
    Mouse("LMouse_Move", 10 - 300, 50);
    EXPECT_EQ(divider.TrackPos(), 40) << "the lower limit";
    Mouse("LMouse_Release", 0, 50);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 40, 100}));
    EXPECT_EQ(Child(2).right, 210);

    // Limits that cross pin the bar at the lower one.
    CPaneDivider& tight = Make({150, 100}, 200);
    tight.MoveDivider(0, 0);
    EXPECT_EQ(tight.DividerPos(0), 150);
    Mouse("LMouse_Click", 10 + tight.DividerPos(0) + 2, 50);
    EXPECT_EQ(tight.LowerLimit(), 150);
    EXPECT_EQ(tight.UpperLimit(), 95);
}

// Children before the bar that prefer more room than the frame has pin it at their preferred
// size only as far as the frame reaches: the bar never leaves it, and no child is given less
// than nothing.
TEST_F(CPaneDividerTest, TheBarStaysInsideTheFrameWhenThePrefsDoNotFit)
{
    struct Row {
        std::vector<int32_t> prefs;
        int32_t width, bar, target, expected;
    };
    const Row rows[] = {
        {{300, 0}, 200, 0, 100, 195},        // the views prefer more than the whole frame
        {{300, 0}, 200, 0, 400, 195},
        {{150, 100}, 200, 0, 0, 150},        // limits cross inside the frame: the lower one
        {{40, 300, 0}, 200, 1, 0, 195},      // the second bar of three
    };
    for (const Row& row : rows) {
        CPaneDivider& divider = Make(row.prefs, row.width);
        divider.MoveDivider(row.bar, row.target);
        EXPECT_EQ(divider.DividerPos(row.bar), row.expected) << row.prefs[0] << " to " << row.target;
        for (size_t i = 0; i < row.prefs.size(); ++i)
            EXPECT_GE(Child(i).Width(), 0) << "child " << i;
        EXPECT_LE(Child(row.prefs.size() - 1).right, row.width);
    }
    // A drag of the pinned bar stays inside the frame as well.
    CPaneDivider& divider = Make({300, 0}, 200);
    Mouse("LMouse_Click", 10 + divider.DividerPos(0) + 2, 50);
    Mouse("LMouse_Move", 10 + 500, 50);
    EXPECT_EQ(divider.TrackPos(), 195);
    Mouse("LMouse_Release", 10 + 500, 50);
    EXPECT_EQ(Child(1), (CLRect{200, 0, 200, 100}));
}

// A divider whose trailing children keep their prefs first stops its bar where they keep
// them when the children do not all fit; where they fit, both rules agree. A child left below
// its pref by a size change gets it back by the first drag.
TEST_F(CPaneDividerTest, TrailingChildrenKeepTheirPrefsWhenTheChildrenDoNotFit)
{
    using Keeps = CPaneDivider::Keeps;
    struct Row {
        std::vector<int32_t> prefs;
        int32_t target, leading, trailing;
    };
    const Row rows[] = {
        {{300, 50}, 400, 195, 145},   // the leading child prefers more than the whole frame
        {{300, 50}, 0, 195, 145},
        {{150, 100}, 0, 150, 95},     // limits cross inside the frame
        {{40, 30}, 400, 165, 165},    // all fit: the trailing child's pref bounds the bar
        {{40, 30}, 0, 40, 40},
        {{10, 300}, 100, 10, 0},      // the trailing child prefers more than the whole frame
    };
    for (const Row& row : rows)
        for (const Keeps keeps : {Keeps::Leading, Keeps::Trailing}) {
            CPaneDivider& divider = Make(row.prefs, 200);
            divider.SetCrossedLimits(keeps);
            divider.MoveDivider(0, row.target);
            EXPECT_EQ(divider.DividerPos(0), keeps == Keeps::Leading ? row.leading : row.trailing)
                << row.prefs[0] << "/" << row.prefs[1] << " to " << row.target;
            EXPECT_GE(Child(0).Width(), 0);
            EXPECT_LE(Child(1).right, 200);
        }
    CPaneDivider& divider = Make({300, 50}, 200);
    divider.SetCrossedLimits(Keeps::Trailing);
    ASSERT_LT(Child(1).Width(), 50) << "shared by prefs at the first layout";
    Mouse("LMouse_Click", 10 + divider.DividerPos(0) + 2, 50);
    Mouse("LMouse_Move", 10 + 500, 50);
    Mouse("LMouse_Release", 10 + 500, 50);
    EXPECT_EQ(Child(1), (CLRect{150, 0, 200, 100}));
}

TEST_F(CPaneDividerTest, MoveDividerMovesBothNeighbours)
{
    CPaneDivider& divider = Make({40, 30, 30}, 210);
    divider.MoveDivider(0, 60);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 60, 100}));
    EXPECT_EQ(Child(1), (CLRect{65, 0, 145, 100}));
    EXPECT_EQ(Child(2), (CLRect{150, 0, 210, 100}));
    EXPECT_EQ(divider.TrackPos(), -1) << "no drag is left behind";
    divider.MoveDivider(5, 60);
    EXPECT_EQ(divider.DividerPos(0), 60);
}

TEST_F(CPaneDividerTest, ShrinkingBelowThePrefsCutsEveryChildByItsPref)
{
    CPaneDivider& divider = Make({100, 0, 100}, 305);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 147, 100}));
    EXPECT_EQ(Child(1), (CLRect{152, 0, 152, 100}));
    divider.SetRect({10, 10, 165, 110});
    EXPECT_EQ(Child(0), (CLRect{0, 0, 72, 100}));
    EXPECT_EQ(Child(1), (CLRect{77, 0, 77, 100})) << "a child preferring 0 is not cut";
    EXPECT_EQ(Child(2), (CLRect{82, 0, 155, 100}));
    divider.SetRect({30, 40, 185, 140});
    EXPECT_EQ(Child(2), (CLRect{82, 0, 155, 100})) << "a pure move changes nothing";
}

TEST_F(CPaneDividerTest, HiddenChildrenTakeNoSpaceAndHaveNoBar)
{
    CPaneDivider& divider = Make({40, 30, 30}, 210);
    divider.ShowPane(1, false);
    EXPECT_EQ(divider.DividerPos(1), -1);
    EXPECT_EQ(Child(0), (CLRect{0, 0, 117, 100}));
    EXPECT_EQ(Child(2), (CLRect{122, 0, 210, 100}));
    EXPECT_EQ(Child(1), (CLRect{85, 0, 145, 100})) << "a hidden child keeps its rectangle";
    divider.ShowPane(1, true);
    EXPECT_EQ(Child(1), (CLRect{85, 0, 145, 100})) << "shown again: laid out from scratch";
    divider.SetRect({10, 10, 220, 100});
    EXPECT_EQ(Child(0), (CLRect{0, 0, 80, 90})) << "and again at the next size change";
}

TEST_F(CPaneDividerTest, StackedAndOtherOrientations)
{
    CPaneDivider& stacked = Make({40, 30, 30}, 210, 1);
    EXPECT_EQ(Child(1), (CLRect{0, 85, 100, 145}));
    EXPECT_EQ(stacked.PrefHeight(nullptr, 0), 110);
    Mouse("LMouse_Click", 50, 10 + 82);
    Mouse("LMouse_Move", 50, 10 + 92);
    EXPECT_EQ(stacked.TrackPos(), 90);
    Mouse("LMouse_Release", 50, 10 + 92);

    Make({40, 30, 30}, 210, 7);
    EXPECT_EQ(Child(1), (CLRect{85, 0, 145, 100})) << "anything but 1 lays out side by side";
}
