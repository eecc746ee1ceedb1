#pragma once
#include <cstdint>
#include <vector>

class CGLContext;
class CSpectrumChan;
struct RenderInput;

// Draws the waveform view of a channel row: the newest samples reduced to the minimum and
// maximum of each pixel column (the part older than the last FFT window dimmed), the input
// range of a time-domain fader being edited, the grid and two level cursors.
class CWaveRenderer {
public:
    CWaveRenderer();

    // Draws channel c into the area of `context` (cleared by the caller).
    void Draw(const RenderInput& input, CGLContext* context, uint32_t c);

private:
    struct Trace {
        float offset = 0.0f;
        float scale = 1.0f;
        float yZoom = 1.0f;
    };
    void DrawChannel(const RenderInput& input, uint32_t c, int32_t width);
    void DrawFaderRange(const RenderInput& input, uint32_t c, float yZoom) const;
    void DrawTrace(const RenderInput& input, const CSpectrumChan& chan, int32_t width, const Trace& trace);
    void DrawCursors(const RenderInput& input, uint32_t c) const;
    void AddPoint(uint32_t& count, float x, float y);
    void DrawStrip(uint32_t first, uint32_t count) const;

    std::vector<float> fPoints; // x, y pairs of the trace, reused from pass to pass
};
