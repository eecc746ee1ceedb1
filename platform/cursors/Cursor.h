#pragma once
#include "platform/Geometry.h"
#include "platform/Shared.h"
#include "platform/draw/Bitmap.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <string_view>

namespace plat {

// The pointer shapes the window system offers itself.
enum class CursorShape {
    Arrow,
    IBeam,
    Crosshair,
    PointingHand,
    OpenHand,
    ClosedHand,
    ResizeLeftRight,
    ResizeUpDown,
    NotAllowed,
    DragCopy,
    DragLink,
    Disappearing,
    ContextualMenu,
    Image, // a picture of the program's own
};

// A mouse pointer: a standard shape, or a picture with a hot spot (the pixel that points, from
// the picture's top-left corner). One cursor is current at a time; the window system shows it
// over the program's windows.
//
// The window model keeps no cursor state of its own: the current cursor is held here, and the
// desktop backend reads it from Current.
class Cursor : public Shared {
public:
    // A cursor showing the picture; the hot spot is kept inside it. Null for an empty picture.
    static Ref<Cursor> WithImage(Bitmap image, Point hotSpot);
    // The shared cursor of a standard shape (not Image).
    static Ref<Cursor> WithShape(CursorShape shape);
    // The standard cursor the program's resource references call by this name ("arrowCursor",
    // "IBeamCursor", "crosshairCursor", ...); null for any other name.
    static Ref<Cursor> WithName(std::string_view name);

    CursorShape Shape() const { return fShape; }
    // The picture of an Image cursor; empty for standard shapes.
    const Bitmap& Image() const { return fImage; }
    Point HotSpot() const { return fHotSpot; }

    // Makes this the current cursor.
    void Set();
    // The current cursor: the arrow until another is set.
    static Ref<Cursor> Current();
    // How many times a cursor was made current (tests see repeated sets of one cursor).
    static uint64_t SetCount();

private:
    Cursor(CursorShape shape, Bitmap image, Point hotSpot);

    CursorShape fShape;
    Bitmap fImage;
    Point fHotSpot;
};

} // namespace plat
