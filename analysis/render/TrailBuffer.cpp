#include "analysis/render/TrailBuffer.h"
#include "analysis/render/TrailBand.h"

#include <cstring>

bool TrailBuffer::Resize(uint32_t depth, uint32_t perSlice, uint32_t newest, bool reset, const TrailBand* mapper)
{
    const uint64_t previousBytes = uint64_t(perSlice) * sizeof(float);
    const uint64_t ringBytes = uint64_t(depth) * perSlice * sizeof(TrailVertex);
    if (previousBytes > UINT32_MAX || ringBytes > UINT32_MAX)
        return false;

    const uint32_t oldPrevious = previous.Size() / sizeof(float);
    if (!previous.Resize(uint32_t(previousBytes), true))
        return false;
    const uint32_t zeroFrom = reset ? 0 : (oldPrevious < perSlice ? oldPrevious : perSlice);
    if (perSlice > zeroFrom)
        std::memset(Previous() + zeroFrom, 0, (perSlice - zeroFrom) * sizeof(float));

    const uint32_t oldDepth = perSlice ? vertices.Size() / (sizeof(TrailVertex) * perSlice) : 0;
    if (!reset && oldDepth > depth) {
        // The ring shrinks: the newest depth - s' old slices that lie past the new end move down.
        const uint32_t first = newest + 1 >= depth ? 0 : newest + 1;
        for (uint32_t k = 0; first + k < depth; ++k)
            MoveSlice(oldDepth - (depth - first) + k, first + k, perSlice);
    }
    if (!vertices.Resize(uint32_t(ringBytes), true))
        return false;
    for (uint32_t j = reset ? 0 : oldDepth; j < depth; ++j)
        InitSlice(j, perSlice, mapper);
    if (!reset && oldDepth > 0 && oldDepth < depth && oldDepth - 1 > newest) {
        // The ring grows: the slices older than the newest move to the end, keeping their order.
        for (uint32_t j = oldDepth - 1; j > newest; --j) {
            MoveSlice(j, j + (depth - oldDepth), perSlice);
            FlattenSlice(j, perSlice);
        }
    }
    return true;
}

// Copies the y and normals of one slice onto another; x and z belong to the place in the ring.
void TrailBuffer::MoveSlice(uint32_t from, uint32_t to, uint32_t perSlice)
{
    TrailVertex* source = Vertices() + size_t(from) * perSlice;
    TrailVertex* dest = Vertices() + size_t(to) * perSlice;
    for (uint32_t i = 0; i < perSlice; ++i) {
        dest[i].y = source[i].y;
        dest[i].nx = source[i].nx;
        dest[i].ny = source[i].ny;
        dest[i].nz = source[i].nz;
    }
}

void TrailBuffer::FlattenSlice(uint32_t slice, uint32_t perSlice)
{
    TrailVertex* v = Vertices() + size_t(slice) * perSlice;
    for (uint32_t i = 0; i < perSlice; ++i) {
        v[i].y = 0.0f;
        v[i].nx = 0.0f;
        v[i].ny = 1.0f;
        v[i].nz = 0.0f;
    }
}

void TrailBuffer::InitSlice(uint32_t slice, uint32_t perSlice, const TrailBand* mapper)
{
    TrailVertex* v = Vertices() + size_t(slice) * perSlice;
    for (uint32_t i = 0; i < perSlice; ++i) {
        float x = float(i);
        uint32_t lo = 0, hi = 0;
        if (mapper && mapper->ToBins(i / 4, lo, hi))
            x = float((i % 4) < 2 ? lo : hi);
        v[i] = TrailVertex{x, 0.0f, float(slice), 0.0f, 1.0f, 0.0f};
    }
}
