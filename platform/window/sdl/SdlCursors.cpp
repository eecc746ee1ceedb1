#include "platform/cursors/Cursor.h"
#include "platform/cursors/CursorPictures.h"
#include "platform/window/sdl/SdlBackendImpl.h"

#include <algorithm>

namespace plat {

namespace {

// The desktop's own shape for a model shape; -1 when the program draws its own picture.
int SystemShape(CursorShape shape)
{
    switch (shape) {
    case CursorShape::Arrow: return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::Crosshair: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::PointingHand: return SDL_SYSTEM_CURSOR_HAND;
    case CursorShape::ResizeLeftRight: return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::ResizeUpDown: return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::NotAllowed: return SDL_SYSTEM_CURSOR_NO;
    default: return -1;
    }
}

uint32_t Unpremultiply(uint32_t argb)
{
    const uint32_t a = argb >> 24;
    if (a == 0 || a == 255)
        return argb;
    auto channel = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (channel((argb >> 16) & 255) << 16) | (channel((argb >> 8) & 255) << 8) | channel(argb & 255);
}

// A colour cursor from a premultiplied picture; null when SDL cannot make one.
SDL_Cursor* ColourCursor(const Bitmap& picture, const Point& hotSpot)
{
    if (picture.Empty())
        return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.Width(), picture.Height(), 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return nullptr;
    // SDL takes straight alpha.
    for (int y = 0; y < picture.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + size_t(y) * size_t(surface->pitch));
        for (int x = 0; x < picture.Width(); ++x)
            row[x] = Unpremultiply(picture.Pixel(x, y));
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, int(hotSpot.x), int(hotSpot.y));
    SDL_FreeSurface(surface);
    return cursor;
}

SDL_Cursor* CursorFor(SdlBackend::Impl& impl, const Cursor& cursor)
{
    const int system = SystemShape(cursor.Shape());
    const int key = system >= 0 ? system : 1000 + int(cursor.Shape());
    if (cursor.Shape() == CursorShape::Image) {
        if (impl.imageCursor)
            SDL_FreeCursor(impl.imageCursor);
        impl.imageCursor = ColourCursor(cursor.Image(), cursor.HotSpot());
        return impl.imageCursor;
    }
    if (auto it = impl.systemCursors.find(key); it != impl.systemCursors.end())
        return it->second;
    SDL_Cursor* made = nullptr;
    if (system >= 0) {
        made = SDL_CreateSystemCursor(SDL_SystemCursor(system));
    } else {
        const CursorPicture picture = CursorPictureOf(cursor.Shape());
        made = ColourCursor(picture.image, picture.hotSpot);
    }
    impl.systemCursors[key] = made;
    return made;
}

} // namespace

void ApplyCursor(SdlBackend::Impl& impl)
{
    Ref<Cursor> current = Cursor::Current();
    if (current.Get() == impl.shownCursor.Get())
        return;
    impl.shownCursor = current;
    if (SDL_Cursor* cursor = current ? CursorFor(impl, *current) : nullptr)
        SDL_SetCursor(cursor);
}

void ReleaseCursors(SdlBackend::Impl& impl)
{
    for (auto& [key, cursor] : impl.systemCursors)
        if (cursor)
            SDL_FreeCursor(cursor);
    impl.systemCursors.clear();
    if (impl.imageCursor)
        SDL_FreeCursor(impl.imageCursor);
    impl.imageCursor = nullptr;
    impl.shownCursor.Reset();
}

} // namespace plat
