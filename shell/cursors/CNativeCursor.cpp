#include "shell/cursors/CNativeCursor.h"
#include "foundation/streams/CMemStream.h"
#include "foundation/streams/CPngStream.h"
#include "platform/cursors/Cursor.h"
#include "platform/draw/Bitmap.h"

#include <limits>

namespace {

constexpr uint32_t kHotSpotChunk = 0x68735054; // 'hsPT'

} // namespace

CNativeCursor::CNativeCursor(const LResRef& ref, LResourceSource* source)
{
    if (!source)
        source = LResourceSource::Global();
    if (source)
        (void)Load(*source, ref);
    else
        (void)LoadNamed(ref);
}

CNativeCursor::~CNativeCursor() = default;

bool CNativeCursor::IsLoaded() const
{
    return static_cast<bool>(fCursor);
}

void CNativeCursor::Set()
{
    if (fCursor)
        fCursor->Set();
}

bool CNativeCursor::Load(LResourceSource& source, const LResRef& ref)
{
    std::vector<uint8_t> png;
    plat::Bitmap image;
    if (source.Load(kCursorResourceType, ref, png) && plat::Bitmap::DecodePng(png.data(), png.size(), image)) {
        uint16_t x = 0;
        uint16_t y = 0;
        ReadHotSpot(png, x, y);
        fCursor = plat::Cursor::WithImage(std::move(image), plat::Point{double(x), double(y)});
        return IsLoaded();
    }
    return LoadNamed(ref);
}

bool CNativeCursor::LoadNamed(const LResRef& ref)
{
    if (ref.name)
        fCursor = plat::Cursor::WithName(ref.name);
    return IsLoaded();
}

void CNativeCursor::ReadHotSpot(const std::vector<uint8_t>& png, uint16_t& x, uint16_t& y)
{
    x = y = 0;
    if (png.size() > std::numeric_limits<uint32_t>::max())
        return;
    CMemStream stream(png.data(), static_cast<uint32_t>(png.size()));
    CPngStream chunks(&stream);
    while (chunks.ReadChunk()) {
        if (chunks.ChunkType() != kHotSpotChunk)
            continue;
        uint8_t bytes[4];
        uint64_t got = sizeof bytes;
        if (chunks.ChunkLength() >= sizeof bytes)
            stream.Read(bytes, &got);
        if (chunks.ChunkLength() < sizeof bytes || got != sizeof bytes)
            return; // a damaged chunk: the top-left pixel
        x = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
        y = static_cast<uint16_t>(bytes[2] << 8 | bytes[3]);
        return;
    }
}
