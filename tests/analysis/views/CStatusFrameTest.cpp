#include "analysis/views/CStatusFrame.h"
#include "foundation/core/LMessage.h"
#include "tests/support/ProgramResourceFile.h"
#include "tests/support/RecordingHandler.h"

#include <gtest/gtest.h>

namespace {

class CStatusFrameTest : public testing::Test {
protected:
    ProgramResourceFile file;
    RecordingHandler top;
    CStatusFrame frame{&top, nullptr, &file.Source()};
};

} // namespace

TEST_F(CStatusFrameTest, ShowsTheBaselineWithOneDecimalAndNothingWhenNegative)
{
    frame.SetValue(3.14);
    EXPECT_EQ(frame.Value(0).Text().View(), "3.1");
    frame.SetValue(-0.5);
    EXPECT_EQ(frame.Value(0).Text().View(), "");
}

TEST_F(CStatusFrameTest, CountsAreRoundedHalfAwayFromZero)
{
    frame.SetCounts(120.0, 0.33333334);
    EXPECT_EQ(frame.Value(1).Text().View(), "120");
    EXPECT_EQ(frame.Value(2).Text().View(), "40");
    frame.SetCounts(2.5, 1.0);
    EXPECT_EQ(frame.Value(1).Text().View(), "3");
}

TEST_F(CStatusFrameTest, WarningAppearsOnTheButtonAndAClickClearsIt)
{
    EXPECT_EQ(frame.Button().GetTitle(), "");
    frame.ShowMessage();
    EXPECT_EQ(frame.Button().GetTitle(), "Data lost");
    LMessage result;
    frame.HandleMessage(result, LMessage(LStdCtl::msgSelected, &frame.Button(), &frame));
    EXPECT_TRUE(result.type == nullptr || *result.type == '\0') << "consumed";
    EXPECT_EQ(frame.Button().GetTitle(), "");
}

TEST_F(CStatusFrameTest, LabelsComeFromTheResourceAndTheLayoutPlacesThemInARow)
{
    EXPECT_EQ(frame.Label(0).Text().View(), "Baseline:");
    EXPECT_EQ(frame.Label(2).Text().View(), "Fc:");
    frame.SetRect({0, 0, 600, 24});
    EXPECT_EQ(frame.Label(0).Rect().left, 4);
    EXPECT_LT(frame.Label(0).Rect().right, frame.Value(0).Rect().left);
    EXPECT_LT(frame.Value(0).Rect().right, frame.Label(1).Rect().left);
    EXPECT_EQ(frame.Button().Rect().right, 596);
}
