#include "platform/cursors/Cursor.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace plat {
namespace {

constexpr size_t kShapeCount = static_cast<size_t>(CursorShape::Image);

struct NamedShape {
    std::string_view name;
    CursorShape shape;
};

constexpr NamedShape kNames[] = {
    {"arrowCursor", CursorShape::Arrow},
    {"IBeamCursor", CursorShape::IBeam},
    {"crosshairCursor", CursorShape::Crosshair},
    {"pointingHandCursor", CursorShape::PointingHand},
    {"openHandCursor", CursorShape::OpenHand},
    {"closedHandCursor", CursorShape::ClosedHand},
    {"resizeLeftRightCursor", CursorShape::ResizeLeftRight},
    {"resizeUpDownCursor", CursorShape::ResizeUpDown},
    {"operationNotAllowedCursor", CursorShape::NotAllowed},
    {"dragCopyCursor", CursorShape::DragCopy},
    {"dragLinkCursor", CursorShape::DragLink},
    {"disappearingItemCursor", CursorShape::Disappearing},
    {"contextualMenuCursor", CursorShape::ContextualMenu},
};

struct CurrentCursor {
    std::mutex mutex;
    Ref<Cursor> cursor;
    uint64_t sets = 0;
};

CurrentCursor& TheCurrent()
{
    static CurrentCursor current;
    return current;
}

} // namespace

Cursor::Cursor(CursorShape shape, Bitmap image, Point hotSpot)
    : fShape(shape), fImage(std::move(image)), fHotSpot(hotSpot)
{
}

Ref<Cursor> Cursor::WithImage(Bitmap image, Point hotSpot)
{
    if (image.Empty())
        return {};
    hotSpot.x = std::clamp(hotSpot.x, 0.0, double(image.Width() - 1));
    hotSpot.y = std::clamp(hotSpot.y, 0.0, double(image.Height() - 1));
    return Ref<Cursor>::Adopt(new Cursor(CursorShape::Image, std::move(image), hotSpot));
}

Ref<Cursor> Cursor::WithShape(CursorShape shape)
{
    // One shared cursor per shape, made once and kept to the end of the process.
    static const std::array<Ref<Cursor>, kShapeCount> shared = [] {
        std::array<Ref<Cursor>, kShapeCount> made;
        for (size_t i = 0; i < kShapeCount; ++i)
            made[i] = Ref<Cursor>::Adopt(new Cursor(static_cast<CursorShape>(i), Bitmap(), Point{}));
        return made;
    }();
    const auto index = static_cast<size_t>(shape);
    return index < kShapeCount ? shared[index] : shared[0];
}

Ref<Cursor> Cursor::WithName(std::string_view name)
{
    for (const NamedShape& entry : kNames)
        if (entry.name == name)
            return WithShape(entry.shape);
    return {};
}

void Cursor::Set()
{
    CurrentCursor& current = TheCurrent();
    std::lock_guard guard(current.mutex);
    current.cursor = Ref<Cursor>(this);
    ++current.sets;
}

Ref<Cursor> Cursor::Current()
{
    CurrentCursor& current = TheCurrent();
    std::lock_guard guard(current.mutex);
    return current.cursor ? current.cursor : WithShape(CursorShape::Arrow);
}

uint64_t Cursor::SetCount()
{
    CurrentCursor& current = TheCurrent();
    std::lock_guard guard(current.mutex);
    return current.sets;
}

} // namespace plat
