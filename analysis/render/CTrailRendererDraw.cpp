// The drawing half of the trail renderer: spectrum line or trail, labels, cursors, the band
// of the fader being edited, the grid, and the colour-scale bar.
#include "analysis/render/CTrailRenderer.h"
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
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "sources/CSourceType.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kBandHigh[4] = {0xbf, 0xdf, 0xdf, 0xbf};
constexpr uint8_t kBandLow[4] = {0x7f, 0x9f, 0x9f, 0xbf};
constexpr uint8_t kRangeLine[4] = {0x5f, 0x7f, 0x7f, 0xff};
// At most this many decades of logarithmic grid lines.
constexpr int kMaxDecades = 40;

// The spectrum view's projection: model x and y 0 .. 1 fill the view at zoom 1; depth recedes
// up and to the side by the trail's shear, with its perspective.
void LoadTrailProjection(const LObject* colors, const RenderInput& input, uint32_t depth, float w, float h)
{
    const float p = colors->GetFloat(kColsPrsp);
    const float d = p + 1.0f;
    const float th = colors->GetFloat(kColsTrdh);
    const float tv = colors->GetFloat(kColsTrdv);
    const GLfloat shear[16] = {1, 0, 0, 0, 0, 1, 0, 0, -th * d * h / w, -tv * d, -1, -p, 0, 0, 0, 1};
    glLoadIdentity();
    glTranslatef(0.0f, -1.0f, 0.0f);
    glMultMatrixf(shear);
    glTranslatef(-1.0f, 0.0f, 0.0f);
    glScalef(FreqZoom(input), 1.0f, 1.0f);
    glTranslatef(-2.0f * FreqPosition(input), 0.0f, 0.0f);
    glScalef(2.0f, 2.0f, 1.0f / float(depth));
}

void FillRect(float x0, float y0, float x1, float y1, const uint8_t color[4])
{
    SetColor(color);
    glRectf(x0, y0, x1, y1);
}

// A level in the view's 0 .. 1 heights for a fader input value.
float FaderLevel(float v, bool decibel, float zoom)
{
    return decibel ? v * 100.0f / 60.0f - 2.0f / 3.0f + 8.686f * std::log(zoom) / 60.0f : v * zoom;
}

} // namespace

void CTrailRenderer::Draw3D(const RenderInput& input, CGLContext* context, uint32_t c)
{
    if (!input.analyser || c >= buffers.size() || c >= input.analyser->ChannelCount() || perSlice == 0
        || !context || !context->HasContext())
        return;
    CGLContextLock lock(context);
    GLint width = 0, height = 0;
    if (!ViewportSize(width, height))
        return;
    const LObject* colors = CColorScheme::Current();
    const float zoom = float(std::max<uint32_t>(1, input.zoom));
    const uint32_t bins = FftPoints(input) / 2;

    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    LoadTrailProjection(colors, input, depth, float(width), float(height));
    DrawSpectrum(context, c, zoom);
    if (depth > 1 && colors->GetByte(kColsEvop) != 0) {
        labels.Draw(CGLLabelPlacement{slice, depth, FreqZoom(input), FreqPosition(input),
                                      colors->GetByte(kColsEvop) / 255.0f});
    }
    // Cursors, bands and grid lines each have one colour along the line: flat shading draws
    // the same pixels and spares the rasteriser a colour slope per line.
    glShadeModel(GL_FLAT);
    DrawCursors(input, c, zoom, bins);
    DrawFaderBands(input, c, zoom, bins);
    DrawGrid(input, c, zoom, bins);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

// The newest slice as a line, or the trail as lit strips from the newest slice backwards.
void CTrailRenderer::DrawSpectrum(const CGLContext* context, uint32_t c, float zoom)
{
    const LObject* colors = CColorScheme::Current();
    const TrailBuffer& buffer = *buffers[c];
    if (buffer.VertexCount() < uint64_t(depth) * perSlice)
        return;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT
                 | GL_POLYGON_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(buffer.Vertices());
    glVertexPointer(3, GL_FLOAT, sizeof(TrailVertex), bytes);
    glNormalPointer(GL_FLOAT, sizeof(TrailVertex), bytes + 12);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glUseProgram(trailProgram.program);
    SetUniform(trailProgram.program, "gSlice", float(slice));
    SetUniform(trailProgram.program, "gZoom", zoom);
    SetUniform(trailProgram.program, "gZoomDB", 20.0f * std::log10(zoom) / 60.0f + 1.0f);
    SetUniform(trailProgram.program, "gColorScale", colors->GetFloat(kColsClsc));
    if (depth == 1) {
        const GLfloat none[4] = {0, 0, 0, 0};
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, none);
        uint8_t spectrum[4];
        ColorBytes(colors, kColsCspc, 0xff, spectrum);
        const GLfloat ambient[4] = {spectrum[0] / 255.0f, spectrum[1] / 255.0f, spectrum[2] / 255.0f, 1.0f};
        const GLfloat white[4] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, trailOn ? white : ambient);
        // Unlit, every vertex of the line has the same colour: flat shading draws the same
        // pixels without setting up a colour slope for each of its hundreds of segments.
        glShadeModel(GL_FLAT);
        glDrawArrays(GL_LINE_STRIP, 0, GLsizei(perSlice));
    } else {
        const GLfloat position[4] = {1, 1, 1, 0};
        const GLfloat direction[4] = {-1, -1, -1, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
        glFrontFace(GL_CW);
        glEnable(GL_VERTEX_PROGRAM_TWO_SIDE);
        glEnable(GL_DEPTH_TEST);
        if (!DrawFromImage(context, c, zoom))
            DrawStrips(0, depth - 1);
    }
    glUseProgram(0);
    glPopClientAttrib();
    glPopAttrib();
}

// Strips k = from .. to-1, strip k joining the slice k places before the newest with the one
// before it: newest first, so that at equal depth the newer strip stays in front.
void CTrailRenderer::DrawStrips(uint32_t from, uint32_t to) const
{
    const auto* pairs = reinterpret_cast<const uint32_t*>(indices.Data());
    for (uint32_t k = from; k < to; ++k) {
        const size_t first = size_t((slice + depth - k) % depth) * perSlice;
        glDrawElements(GL_TRIANGLE_STRIP, GLsizei(2 * perSlice), GL_UNSIGNED_INT, pairs + 2 * first);
    }
}

// Draws the trail as the stored image of its older strips (drawn anew when anything they show
// changed) with the newest strip over it. False, with nothing drawn, when the view has no
// depth buffer to order the strips by or no image can be made.
bool CTrailRenderer::DrawFromImage(const CGLContext* context, uint32_t c, float zoom)
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depth < 3 || depthBits <= 0 || !fImageProgram.linked)
        return false;
    TrailImageKey key;
    key.context = context;
    key.ring = fRingChanges;
    key.slice = slice;
    glGetIntegerv(GL_VIEWPORT, key.viewport);
    glGetFloatv(GL_PROJECTION_MATRIX, key.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, key.modelView);
    key.zoom = zoom;
    key.colorScale = CColorScheme::Current()->GetFloat(kColsClsc);
    if (fImages.size() <= c)
        fImages.resize(c + 1);
    if (!fImages[c])
        fImages[c] = std::make_unique<TrailImage>();
    TrailImage& image = *fImages[c];
    if (!image.Holds(key) && !image.Capture(key, [&] { DrawStrips(1, depth - 1); }))
        return false;
    if (!image.Restore(fImageProgram.program))
        return false;
    // Drawn first, the newest strip would win every tie with the older ones.
    glDepthFunc(GL_LEQUAL);
    DrawStrips(0, 1);
    return true;
}

void CTrailRenderer::DrawCursors(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const
{
    const LObject* chan = ChannelRecord(input, c);
    if (!chan)
        return;
    const LObject* colors = CColorScheme::Current();
    const bool peaks = WindowByte(input, kWindPkdt) != 0;
    const float level = chan->GetFloat(peaks ? kChanPeakLevel : kChanCrsv);
    const float position = chan->GetFloat(peaks ? kChanPeakPos : kChanCrsh);
    float y = level * zoom;
    if (CommonByte(input, kComnDb)) {
        const float db = level > 0.0f ? std::clamp(20.0f * std::log10(level), -100.0f, 6.0f) : -100.0f;
        y = std::max(0.0f, (db + 8.686f * std::log(zoom)) / 60.0f + 1.0f);
    }
    float x = position;
    if (CommonByte(input, kComnFqlg))
        x = position > 0.0f && bins > 1 ? std::max(-1.0f, 1.0f + std::log(position) / std::log(float(bins))) : -1.0f;
    uint8_t color[4];
    ColorBytes(colors, kColsCcrs, colors->GetByte(kColsCrop), color);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // With the line alone nothing writes depth: the test would pass everywhere.
    if (depth > 1) {
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
    }
    SetColor(color);
    if (depth == 1) {
        DrawLine(0.0f, y, 1.0f, y);
        DrawLine(x, 0.0f, x, 1.0f);
    } else {
        const float back = -float(depth);
        glBegin(GL_QUADS);
        glVertex3f(0, y, 0), glVertex3f(1, y, 0), glVertex3f(1, y, back), glVertex3f(0, y, back);
        glVertex3f(x, 0, 0), glVertex3f(x, 1, 0), glVertex3f(x, 1, back), glVertex3f(x, 0, back);
        glEnd();
    }
    glPopAttrib();
}

void CTrailRenderer::DrawFaderBands(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const
{
    const float rate = SampleRate(input);
    const float factor = input.document ? input.document->GetFloat(kFdrsFactor) : 1.0f;
    const bool decibel = CommonByte(input, kComnDb) != 0;
    const bool logFreq = CommonByte(input, kComnFqlg) != 0;
    auto edge = [&](float f) {
        const float u = f * factor * 2.0f / rate;
        if (!logFreq)
            return std::max(0.0f, u);
        return u > 0.0f && bins > 1 ? std::max(0.0f, 1.0f + std::log(u) / std::log(float(bins))) : 0.0f;
    };
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (uint32_t i = 0; i < FaderCount(input); ++i) {
        const LObject* fader = FaderRecord(input, i);
        const uint8_t type = fader ? fader->GetByte(kFadrStyp) : 4;
        if (!fader || fader->GetByte(kFadrSchn) != c || !fader->GetByte(kFadrCurrent) || type >= 4 || !(rate > 0.0f))
            continue;
        const float lo = edge(fader->GetFloat(kFadrFrql));
        const float hi = edge(fader->GetFloat(kFadrFrqh));
        const float v = fader->GetFloat(kFadrInput);
        const float ampl = fader->GetFloat(kFadrAmpl), amph = fader->GetFloat(kFadrAmph);
        if (type == 3) {
            const float at = lo + (hi - lo) * v;
            FillRect(at, 0, hi, 1, kBandHigh);
            FillRect(lo, 0, at, 1, kBandLow);
            SetColor(kRangeLine);
            for (const float a : {ampl, amph})
                DrawLine(lo + (hi - lo) * a, 0.0f, lo + (hi - lo) * a, 1.0f);
        } else {
            const float level = FaderLevel(v, decibel, zoom);
            FillRect(lo, level, hi, 1, kBandHigh);
            FillRect(lo, 0, hi, level, kBandLow);
            SetColor(kRangeLine);
            for (const float a : {ampl, amph})
                DrawLine(lo, FaderLevel(a, decibel, zoom), hi, FaderLevel(a, decibel, zoom));
        }
    }
    glPopAttrib();
}

void CTrailRenderer::DrawGrid(const RenderInput& input, uint32_t c, float zoom, uint32_t bins) const
{
    if (!WindowByte(input, kWindGrid))
        return;
    const LObject* colors = CColorScheme::Current();
    uint8_t color[4];
    ColorBytes(colors, kColsCgrd, 0xbf, color);
    const float rate = SampleRate(input);
    const CLRect unit{0, 0, 1, 1};
    if (CommonByte(input, kComnFqlg) && rate > 0.0f && bins > 1) {
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        SetColor(color);
        glBegin(GL_LINES);
        const int first = int(std::floor(std::log10(rate / 2.0f / float(bins))));
        for (int e = first; e < first + kMaxDecades; ++e) {
            const double decade = std::pow(10.0, e);
            if (decade >= rate / 2.0)
                break;
            for (int i = 1; i <= 9 && i * decade < rate / 2.0; ++i) {
                const float x = std::max(-1.0f, 1.0f + std::log(float(2.0 * i * decade / rate)) / std::log(float(bins)));
                glVertex3f(x, 0.0f, 0.0f);
                glVertex3f(x, 1.0f, 0.0f);
            }
        }
        glEnd();
        glPopAttrib();
    } else if (rate > 0.0f) {
        const LObject* view = FreqViewRecord(input);
        DrawGridLines(unit, true, color, 1.0f, (view ? view->GetFloat(kChvwGridStep) : 1.0f) / (rate / 2.0f), 0.0f);
    }
    float range = 60.0f;
    if (!CommonByte(input, kComnDb))
        range = (c < 4 && input.sourceType ? input.sourceType->chan[c].max : 1.0f) / zoom;
    DrawGridLines(unit, false, color, range, NiceStep(range), 0.0f);
}

void CTrailRenderer::DrawColourScale(const RenderInput&, CGLContext* context)
{
    if (!context || !context->HasContext() || !bandProgram.linked)
        return;
    CGLContextLock lock(context);
    glUseProgram(bandProgram.program);
    SetUniform(bandProgram.program, "gColorScale", CColorScheme::Current()->GetFloat(kColsClsc));
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(-1.0f, 1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    glUseProgram(0);
    const DrawnScale drawn = ScaleFor(context);
    if (drawn.surface == 0)
        return;
    std::erase_if(fDrawnScales, [&drawn](const DrawnScale& d) { return d.surface == drawn.surface; });
    constexpr size_t kRemembered = 64; // many more areas than rows; older surfaces are gone
    if (fDrawnScales.size() >= kRemembered)
        fDrawnScales.erase(fDrawnScales.begin());
    fDrawnScales.push_back(drawn);
}

CTrailRenderer::DrawnScale CTrailRenderer::ScaleFor(const CGLContext* context) const
{
    const LObject* colors = CColorScheme::Current();
    if (!context || !context->Native() || !colors)
        return {};
    return DrawnScale{context->Native()->SurfaceSerial(), fProgramBuilds, colors->GetFloat(kColsClsc)};
}

bool CTrailRenderer::ColourScaleDrawn(const CGLContext* context) const
{
    const DrawnScale now = ScaleFor(context);
    return now.surface != 0 && bandProgram.linked
        && std::find(fDrawnScales.begin(), fDrawnScales.end(), now) != fDrawnScales.end();
}
