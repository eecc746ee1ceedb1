#include "ui/frames/LPlacement.h"
#include "ui/frames/LWindowPlacer.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(LWindowPlacer, LimitsComeFromTheVisibleAreaAndRequestsAreClampedToThem)
{
    // A title bar of 22 and borders of 1 around the content.
    const CLRect content{100, 100, 500, 400};
    const CLRect frame{99, 78, 501, 401};
    LWindowPlacer placer(nullptr, content, frame, {0, 22, 1440, 900});
    EXPECT_EQ(std::tuple(placer.width, placer.height, placer.maxWidth, placer.maxHeight, placer.minWidth),
              std::tuple(400, 300, 1438, 855, 40));
    EXPECT_EQ(placer.bounds, (CLRect{1, 44, 1439, 899}));
    LWindowPlacer small(nullptr, {0, 0, 100, 100}, {0, 0, 100, 100}, {0, 0, 800, 600});
    EXPECT_EQ(small.ClampWidth(10), 40) << "a layout asking for 10 gets the smallest window";
    EXPECT_EQ(small.ClampWidth(5000), 800);
    EXPECT_EQ(small.ClampHeight(300), 300);
    small.SetMinSize(10, 10);
    EXPECT_EQ(small.minWidth, 40) << "growing handlers only raise the minimum";
    small.SetMinSize(200, 900);
    EXPECT_EQ(small.minWidth, 200);
    EXPECT_EQ(small.minHeight, 600) << "held to the maximum";
    small.SetLimits(300, 100, 250, 700);
    EXPECT_EQ(small.maxWidth, 250);
    EXPECT_EQ(small.maxHeight, 600) << "a maximum is never raised";
    EXPECT_EQ(small.ClampWidth(280), 300) << "maximum below minimum: the minimum wins";

    LWindowPlacer none;
    EXPECT_EQ(none.maxWidth, 0);
    EXPECT_EQ(none.minWidth, 40);
}

TEST(LPlacement, CascadeLeavesAFreeWindowInPlace)
{
    LPlacement cascade;
    cascade.InitCascade();
    const CLRect content{100, 100, 400, 300};
    EXPECT_EQ(cascade.FindSpot(content, {401, 301}, {1440, 900}, {}), (CLPoint{100, 100}));
    EXPECT_EQ(cascade.FindSpot(content, {401, 301}, {1440, 900}, {{500, 500}, {117, 117}}), (CLPoint{136, 136}))
        << "squares of a step meet: a window 17 off blocks two spots";
}

TEST(LPlacement, DiagonalWrapsEachAxisAndAcrossThenDownGivesUpAtTheBottom)
{
    LPlacement cascade;
    cascade.InitCascade();
    // Screen room for 3 steps across and 1 down: x runs 0,18,36 and y 0,18.
    const CLRect content{0, 0, 100, 100};
    const CLPoint frameEnd{100, 100}, screenEnd{136, 118};
    std::vector<CLPoint> others{{0, 0}, {18, 18}, {36, 0}, {0, 18}, {18, 0}};
    EXPECT_EQ(cascade.FindSpot(content, frameEnd, screenEnd, others), (CLPoint{36, 18}))
        << "x and y wrap separately: (0,0) (18,18) (36,0) (0,18) (18,0) (36,18)";
    others.push_back({36, 18});
    EXPECT_EQ(cascade.FindSpot(content, frameEnd, screenEnd, others), std::nullopt);
    LPlacement across;
    across.mode = LPlacement::kAcrossThenDown;
    across.stepX = 50;
    across.stepY = 50;
    others = {{0, 0}, {50, 0}, {0, 50}};
    EXPECT_EQ(across.FindSpot(content, frameEnd, {150, 150}, others), (CLPoint{50, 50}));
    others.push_back({50, 50});
    EXPECT_EQ(across.FindSpot(content, frameEnd, {150, 150}, others), std::nullopt);
    across.mode = LPlacement::kDownThenAcross;
    others.pop_back();
    EXPECT_EQ(across.FindSpot(content, frameEnd, {150, 150}, others), (CLPoint{50, 50}));
}

} // namespace
