#pragma once
#include "analysis/gl/CGLProgram.h"
#include "analysis/render/CGLLabelList.h"
#include "analysis/render/TrailBuffer.h"
#include "analysis/render/TrailImage.h"
#include "foundation/core/LByteBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGLContext;
class LObject;
struct RenderInput;
struct TrailBand;

using CTrailBufferList = std::vector<std::unique_ptr<TrailBuffer>>;

// Draws the spectrum view of each channel row, as the newest spectrum line or as a lit
// three-dimensional trail of the last `depth` spectra, and the colour-scale bar. Every channel
// keeps a ring of slices in client memory; adding a slice only moves the newest-slice index,
// and the vertex shader places each slice by its age. All GL work and every write to the rings
// happens under a context lock the renderer takes itself.
class CTrailRenderer {
public:
    // Vertex shader snippets appended after the trail's vertex text.
    static const char* const kGetYLinear;
    static const char* const kGetYDecibel;
    static const char* const kGetXLinear;
    static const char* const kGetXLog;
    // The fragment stage of the plain line (no trail): the lit colour as it is, the pixels the
    // fixed stage would give. The line keeps a fragment stage of its own because Mesa's software
    // rasteriser crashes drawing it with the program linked again without one once the trail's
    // strips and a fader's band have been drawn.
    static const char* const kLineFragment;

    CTrailRenderer();
    ~CTrailRenderer();
    CTrailRenderer(const CTrailRenderer&) = delete;
    CTrailRenderer& operator=(const CTrailRenderer&) = delete;

    // Fits programs, index buffer and rings to the channels, FFT size, bands and a requested
    // depth (0: a plain line). Keeps the slices unless reset is asked or perSlice changes.
    void Rebuild(const RenderInput& input, uint32_t requestedDepth, bool reset);
    // Advances the ring when the trail interval has passed (attaching the pending event text to
    // the new slice), then writes the current spectra into the newest slice.
    void AddSlice(const RenderInput& input);
    // Draws the spectrum view of channel c into the area of `context`.
    void Draw3D(const RenderInput& input, CGLContext* context, uint32_t c);
    // True when Draw3D may write the area's depth buffer: only the trail's strips and its
    // stored image do; the plain line, cursors, bands and grid leave it as it is.
    bool WritesDepth() const { return depth > 1; }
    // Draws the colour-scale bar into the area of `context`.
    void DrawColourScale(const RenderInput& input, CGLContext* context);
    // True when the colour-scale bar fills its whole area with opaque pixels, so that nothing
    // needs clearing there first.
    bool ColourScaleFillsArea() const { return bandProgram.linked; }
    // True when the area's surface still holds the bar exactly as DrawColourScale would draw
    // it now: the bar depends only on the program and the scale, so it need not be drawn again.
    bool ColourScaleDrawn(const CGLContext* context) const;

    // The interval between slices in ms for the window's settings and an FFT of n points.
    static uint32_t SliceInterval(const LObject* window, uint32_t n);

    LByteBuffer indices;
    CGLProgram trailProgram;
    CGLProgram bandProgram;
    CTrailBufferList buffers;
    uint32_t perSlice = 0;
    uint32_t slice = 0;
    uint32_t depth = 1;
    uint8_t trailOn = 0;
    uint32_t lastSliceMs = 0;
    CGLLabelList labels;

private:
    void Empty();
    bool BuildPrograms(const RenderInput& input, uint32_t requestedDepth, uint32_t bins);
    bool FitRings(const RenderInput& input, bool reset, uint32_t newPerSlice, const TrailBand* mapper);
    void WriteSlice(const RenderInput& input, uint32_t c, uint32_t bins);
    void DrawSpectrum(const CGLContext* context, uint32_t c, float zoom);
    void DrawStrips(uint32_t from, uint32_t to) const;
    bool DrawFromImage(const CGLContext* context, uint32_t c, float zoom);
    void DrawCursors(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const;
    void DrawFaderBands(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const;
    void DrawGrid(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const;

    // Counts every change of the slices other than the newest one, and of the programs.
    uint64_t fRingChanges = 0;
    // What the bar drawn into a surface (by its serial) showed: the programs' build and the scale.
    struct DrawnScale {
        uint64_t surface = 0;
        uint64_t builds = 0;
        float scale = 0.0f;
        bool operator==(const DrawnScale&) const = default;
    };
    DrawnScale ScaleFor(const CGLContext* context) const;
    std::vector<DrawnScale> fDrawnScales;
    uint64_t fProgramBuilds = 0;
    // Per channel, the older strips as last drawn, and the program that lays them onto a view
    // (see TrailImage).
    std::vector<std::unique_ptr<TrailImage>> fImages;
    CGLProgram fImageProgram;
};
