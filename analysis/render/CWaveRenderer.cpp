#include "analysis/render/CWaveRenderer.h"
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/NiceStep.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "analysis/render/DrawGridLines.h"
#include "analysis/render/GLDraw.h"
#include "analysis/render/RenderInput.h"
#include "analysis/render/RenderRecords.h"
#include "foundation/records/LObject.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "sources/CSourceType.h"

#include <algorithm>
#include <cfloat>
#include <new>

namespace {

constexpr uint8_t kRangeFill[4] = {0xbf, 0xdf, 0xdf, 0xbf};
constexpr uint8_t kRangeLine[4] = {0x5f, 0x7f, 0x7f, 0xff};

} // namespace

CWaveRenderer::CWaveRenderer() : fPoints(4096, 0.0f) {}

void CWaveRenderer::Draw(const RenderInput& input, CGLContext* context, uint32_t c)
{
    if (!context || !context->HasContext())
        return;
    CGLContextLock lock(context);
    GLint width = 0, height = 0;
    if (!ViewportSize(width, height))
        return;
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT);
    // Each line and fill has one colour: flat shading draws the same pixels and spares the
    // rasteriser a colour slope for each of the trace's many segments.
    glShadeModel(GL_FLAT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (input.analyser && c < input.analyser->ChannelCount())
        DrawChannel(input, c, width);
    glPopClientAttrib();
    glPopAttrib();
}

void CWaveRenderer::DrawChannel(const RenderInput& input, uint32_t c, int32_t width)
{
    Trace trace;
    trace.yZoom = WindowByte(input, kWindZmrw) ? float(std::max<uint32_t>(1, input.zoom)) : 1.0f;
    DrawFaderRange(input, c, trace.yZoom);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    float range = 1.0f;
    if (c < 4 && input.sourceType) {
        const CSourceChanInfo& info = input.sourceType->chan[c];
        range = (info.span - info.min) / trace.yZoom;
        trace.offset = info.faderOffset;
        trace.scale = info.faderSpan;
    }
    uint8_t grid[4];
    ColorBytes(CColorScheme::Current(), kColsCgrd, 0xbf, grid);
    const CLRect whole{-1, -1, 1, 1};
    if (!WindowByte(input, kWindGrid)) {
        SetColor(grid);
        DrawLine(-1.0f, 0.0f, 1.0f, 0.0f);
    } else {
        DrawGridLines(whole, true, grid, input.waveSpan, input.waveStep, 0.0f);
        DrawGridLines(whole, false, grid, range, NiceStep(range), 0.5f);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glScalef(1.0f, trace.yZoom, 1.0f);
    DrawTrace(input, *input.analyser->Channel(c), width, trace);
    DrawCursors(input, c);
    glPopMatrix();
}

// The whole view shaded and the input range lines of a time-domain fader being edited.
void CWaveRenderer::DrawFaderRange(const RenderInput& input, uint32_t c, float yZoom) const
{
    for (uint32_t i = 0; i < FaderCount(input); ++i) {
        const LObject* fader = FaderRecord(input, i);
        if (!fader || fader->GetByte(kFadrSchn) != c || !fader->GetByte(kFadrCurrent) || fader->GetByte(kFadrStyp) != 4)
            continue;
        SetColor(kRangeFill);
        glBegin(GL_TRIANGLE_STRIP);
        glVertex2f(-1, -1), glVertex2f(-1, 1), glVertex2f(1, -1), glVertex2f(1, 1);
        glEnd();
        SetColor(kRangeLine);
        for (const uint8_t field : {kFadrAmpl, kFadrAmph}) {
            const float y = (2.0f * fader->GetFloat(field) - 1.0f) * yZoom;
            DrawLine(-1.0f, y, 1.0f, y);
        }
    }
}

void CWaveRenderer::DrawTrace(const RenderInput& input, const CSpectrumChan& chan, int32_t width, const Trace& trace)
{
    const size_t needed = 4 * size_t(width) + 8;
    if (fPoints.size() < needed) {
        try {
            fPoints.resize(needed);
        } catch (const std::bad_alloc&) {
            return; // no trace this time; grid, range and cursors still stand
        }
    }
    const uint32_t n = std::min<uint32_t>(input.waveSamples, uint32_t(chan.snapshot.size()));
    if (n == 0)
        return;
    const bool cutDc = CommonByte(input, kComnCtdc) != 0;
    const float dc = cutDc ? chan.dcLevel : 0.0f;
    const uint32_t fftSize = chan.FFTSize();
    const uint32_t firstRecent = n > fftSize ? n - fftSize : 0;

    glPushMatrix();
    // Both colours of the trace are opaque: blending would only read back every pixel it
    // covers to give the same result.
    glDisable(GL_BLEND);
    glTranslatef(-1.0f, cutDc ? 0.0f : 2.0f * trace.offset - 1.0f, 0.0f);
    glScalef(2.0f / float(width), 2.0f / trace.scale, 1.0f);
    const LObject* colors = CColorScheme::Current();
    uint8_t color[4];
    ColorBytes(colors, kColsCsmp, 0xff, color);
    const uint8_t dim[4] = {uint8_t(color[0] * 5 / 8), uint8_t(color[1] * 5 / 8), uint8_t(color[2] * 5 / 8), 0xff};

    uint64_t accumulator = (uint64_t(chan.loadIndex) * uint32_t(width)) % n;
    uint64_t x = 0;
    uint32_t count = 0;
    uint32_t stripStart = 0;
    bool dimmed = false;
    float low = FLT_MAX, high = -FLT_MAX;
    for (uint32_t i = 0; i < n; ++i) {
        const float sample = chan.snapshot[(chan.loadIndex - n + i) & chan.mask] - dc;
        low = std::min(low, sample);
        high = std::max(high, sample);
        if (accumulator >= n) {
            if (!dimmed && i >= firstRecent) {
                SetColor(dim);
                DrawStrip(0, count);
                stripStart = count ? count - 1 : 0;
                dimmed = true;
            }
            AddPoint(count, float(x) + 0.5f, low);
            if (high > low)
                AddPoint(count, float(x) + 0.5f, high);
            x += accumulator / n;
            accumulator %= n;
            low = FLT_MAX;
            high = -FLT_MAX;
        }
        accumulator += uint32_t(width);
    }
    SetColor(color);
    DrawStrip(stripStart, count - stripStart);
    glEnable(GL_BLEND);
    glPopMatrix();
}

void CWaveRenderer::AddPoint(uint32_t& count, float x, float y)
{
    if (2 * size_t(count) + 2 > fPoints.size())
        return;
    fPoints[2 * size_t(count)] = x;
    fPoints[2 * size_t(count) + 1] = y;
    ++count;
}

void CWaveRenderer::DrawStrip(uint32_t first, uint32_t count) const
{
    if (count < 2)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, fPoints.data() + 2 * size_t(first));
    glDrawArrays(GL_LINE_STRIP, 0, GLsizei(count));
    glDisableClientState(GL_VERTEX_ARRAY);
}

void CWaveRenderer::DrawCursors(const RenderInput& input, uint32_t c) const
{
    const LObject* chan = ChannelRecord(input, c);
    if (!chan)
        return;
    const LObject* colors = CColorScheme::Current();
    uint8_t color[4];
    ColorBytes(colors, kColsCcrs, colors->GetByte(kColsCrop), color);
    SetColor(color);
    const bool peaks = WindowByte(input, kWindPkdt) != 0;
    for (const uint8_t field : {peaks ? kChanMinLevel : kChanCrrv, peaks ? kChanMaxLevel : kChanCrrh}) {
        const float y = 2.0f * chan->GetFloat(field) - 1.0f;
        DrawLine(-1.0f, y, 1.0f, y);
    }
}
