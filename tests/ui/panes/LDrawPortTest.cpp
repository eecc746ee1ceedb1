#include "ui/panes/LDrawPort.h"

#include <gtest/gtest.h>

namespace {

TEST(LDrawPort, TakesTheContextsClipOriginAndPaint)
{
    LPaneContext context;
    context.clip.SetRect({10, 20, 110, 70});
    context.originX = 10;
    context.originY = 20;
    CColor::AssignGrey(context.background, 3);
    LDrawPort port(context);
    EXPECT_EQ(port.Port().Origin(), (CLPoint{10, 20}));
    EXPECT_EQ(port.Port().Color(), context.background);
    EXPECT_EQ(port.Port().Context(), nullptr) << "outside any window: a port without canvas";
    EXPECT_TRUE(port.Port().Clip().IsEmpty()) << "and nothing drawable";
}


} // namespace
