#include "platform/cursors/CursorPictures.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

TEST(CursorPictures, OwnPicturesForTheShapesTheDesktopLacks)
{
    for (CursorShape shape : {CursorShape::OpenHand, CursorShape::ClosedHand, CursorShape::DragCopy, CursorShape::DragLink,
                              CursorShape::Disappearing, CursorShape::ContextualMenu}) {
        const CursorPicture picture = CursorPictureOf(shape);
        ASSERT_EQ(picture.image.Width(), 24) << int(shape);
        EXPECT_NE(picture.image.Pixel(int(picture.hotSpot.x), int(picture.hotSpot.y)) >> 24, 0u) << int(shape);
        EXPECT_EQ(picture.image.Pixel(23, 0), 0u) << int(shape); // transparent around the shape
    }
    EXPECT_NE(CursorPictureOf(CursorShape::DragCopy).image.Pixel(18, 18),
              CursorPictureOf(CursorShape::DragLink).image.Pixel(18, 18));
    EXPECT_TRUE(CursorPictureOf(CursorShape::Arrow).image.Empty());
}

} // namespace
} // namespace plat
