#pragma once
#include "foundation/core/LByteBuffer.h"

#include <cstdint>

struct TrailBand;

// One vertex of the trail, as the ring holds it and OpenGL reads it (24 bytes, no padding).
struct TrailVertex {
    float x;   // bin index, or band edge bin
    float y;   // magnitude, or mean magnitude of the band (0 at band edges)
    float z;   // index of the slice holding the vertex, fixed for its place in the ring
    float nx;  // unit normal
    float ny;
    float nz;
};
static_assert(sizeof(TrailVertex) == 24);

// The ring of spectrum slices of one channel, in client memory: depth x perSlice vertices,
// slice after slice, plus the y each vertex had in the last slice written.
class TrailBuffer {
public:
    // Fits the ring to D slices of P vertices with newest slice s. Without reset the slices
    // keep their newest-first order when the depth grows or shrinks; new slices start flat.
    // With a mapper the x of vertex i is the lo (i mod 4 in {0, 1}) or hi bin of band i / 4.
    // False only when memory is short.
    [[nodiscard]] bool Resize(uint32_t depth, uint32_t perSlice, uint32_t newest, bool reset,
                              const TrailBand* mapper);

    TrailVertex* Vertices() { return reinterpret_cast<TrailVertex*>(vertices.Data()); }
    const TrailVertex* Vertices() const { return reinterpret_cast<const TrailVertex*>(vertices.Data()); }
    float* Previous() { return reinterpret_cast<float*>(previous.Data()); }
    uint32_t VertexCount() const { return vertices.Size() / sizeof(TrailVertex); }

    LByteBuffer vertices;
    LByteBuffer previous;

private:
    void MoveSlice(uint32_t from, uint32_t to, uint32_t perSlice);
    void FlattenSlice(uint32_t slice, uint32_t perSlice);
    void InitSlice(uint32_t slice, uint32_t perSlice, const TrailBand* mapper);
};
