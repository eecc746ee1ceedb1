#pragma once
#include "platform/Geometry.h"
#include "platform/cursors/Cursor.h"
#include "platform/draw/Bitmap.h"

namespace plat {

// The program's own picture of a pointer shape the desktop has no cursor for: the open and
// closed hand, the drag-copy and drag-link arrows, the disappearing item and the contextual
// menu arrow. 24 x 24 pixels with the hot spot at the point that points.
struct CursorPicture {
    Bitmap image;
    Point hotSpot;
};

// An empty picture for shapes the desktop draws itself (and for Image).
CursorPicture CursorPictureOf(CursorShape shape);

} // namespace plat
