// The render pass of the channel list and what it hands the renderers.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHCELL.h"
#include "controls/lists/CCellIter.h"
#include "foundation/records/LObject.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>
#include <cmath>

namespace {

struct Rgb {
    float red, green, blue;
};

// Clears an area's colour buffer to the background, and its depth buffer when asked. With
// `opaque` its alpha writes stay off for the drawing that follows: every pixel keeps the
// background's opaque alpha, so that Flush(view, true) copies the pixels into the window
// without setting alpha on each. No colour here depends on the alpha already drawn.
void ClearArea(const CChannelGLView& view, const Rgb& background, bool depth = true, bool opaque = false)
{
    if (!view.context || !view.context->HasContext())
        return;
    CGLContextLock lock(view.context);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(background.red, background.green, background.blue, 1.0f);
    glClearDepth(1.0);
    glClear(depth ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT);
    glPopAttrib();
    if (opaque)
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

// The serial of an area's surface; 0 without one.
uint64_t SurfaceOf(const CChannelGLView& view)
{
    const plat::GLContext* native = view.context ? view.context->Native() : nullptr;
    return native ? native->SurfaceSerial() : 0;
}

// Presents an area; `opaque` when it was cleared so, turning its alpha writes on again.
void Flush(const CChannelGLView& view, bool opaque = false)
{
    if (!view.context || !view.context->HasContext())
        return;
    CGLContextLock lock(view.context);
    if (opaque)
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    view.context->FlushBuffer(opaque);
}

} // namespace

RenderInput CSnxChList::Input(bool forPass) const
{
    RenderInput input;
    input.analyser = &fAnalyser;
    input.document = fDocument.Root();
    input.window = fWindowRecord;
    input.bands = fBands;
    input.sourceType = fSourceType;
    input.zoom = forPass ? fZoom : 1;
    if (forPass) {
        input.waveSpan = fWaveSpan;
        input.waveStep = fWaveStep;
    }
    return input;
}

void CSnxChList::RebuildTrail(bool reset)
{
    const bool trail = fWindowRecord && fWindowRecord->GetByte(kWindTral);
    const LObject* colors = CColorScheme::Current();
    fTrail.Rebuild(Input(false), trail && colors ? colors->GetUInt(kColsTrdp) : 0, reset);
}

// The samples the waveform of a channel shows: the FFT length, or with the trail on three
// seconds of samples within the ring.
uint32_t CSnxChList::WaveSamples(uint32_t channel) const
{
    const CSpectrumChan* chan = fAnalyser.Channel(channel);
    if (!chan)
        return 0;
    const uint32_t n = chan->FFTSize();
    if (!fWindowRecord || !fWindowRecord->GetByte(kWindTral))
        return n;
    const float rate = fWindowRecord->GetFloat(kWindRate);
    const float threeSeconds = std::isfinite(rate) && rate > 0.0f ? std::min(3.0f * rate, 4.0e9f) : 0.0f;
    return std::min(std::max(n, uint32_t(threeSeconds)), uint32_t(chan->ring.size()));
}

void CSnxChList::RenderPass()
{
    fTimer.BeginRender();
    // One switch of the current context per area (the analysis may draw into the shared
    // context first), none back to no context between them.
    CGLPassScope gl;
    LMessage::Send(LMessage{msgRender, this, Parent()});
    ++fPasses;
    const uint32_t bkg = CColorScheme::GetColor(CColorScheme::Current(), kColsCbkg);
    const Rgb background{(bkg & 0xff) / 255.0f, ((bkg >> 8) & 0xff) / 255.0f, ((bkg >> 16) & 0xff) / 255.0f};
    FollowWaveSpan(); // the grid of the waveform steps as its caption says
    RenderInput input = Input(true);
    ForEachRow([&](int32_t r, SNXCHCELL& row) {
        CChannelGLView& scale = row.Spectrum().ScaleView();
        CChannelGLView& spectrum = row.Spectrum().SpectrumView();
        CChannelGLView& wave = row.Data().WaveView();
        // Each area is cleared, drawn and read back inside one scope of its context: every
        // switch of the current context hands the rasteriser what was drawn so far, so
        // scopes per step would make it start and wait three times per area.
        // The bar's surface keeps the bar until the scale, the programs or the surface change,
        // and the window image keeps its pixels (a redraw of the window reads them again).
        if (scale.HasFlags(kPaneShown | kPaneHostShown) && !fTrail.ColourScaleDrawn(scale.context)) {
            CGLContextLock lock(scale.context);
            // The bar covers its whole area: clearing it first would only be painted over.
            if (!fTrail.ColourScaleFillsArea())
                ClearArea(scale, background);
            fTrail.DrawColourScale(input, scale.context);
            Flush(scale);
        }
        {
            CGLContextLock lock(spectrum.context);
            // Without the trail nothing writes depth: a depth buffer cleared once stays clear,
            // and clearing it again every pass would only fill it with the same value.
            const uint64_t surface = SurfaceOf(spectrum);
            const auto known = std::find(fClearDepth.begin(), fClearDepth.end(), surface);
            ClearArea(spectrum, background, surface == 0 || known == fClearDepth.end(), true);
            fTrail.Draw3D(input, spectrum.context, uint32_t(r));
            if (fTrail.WritesDepth() || surface == 0) {
                if (known != fClearDepth.end())
                    fClearDepth.erase(known);
            } else if (known == fClearDepth.end()) {
                constexpr size_t kRemembered = 64; // many more areas than rows; older surfaces are gone
                if (fClearDepth.size() >= kRemembered)
                    fClearDepth.erase(fClearDepth.begin());
                fClearDepth.push_back(surface);
            }
            Flush(spectrum, true);
        }
        input.waveSamples = WaveSamples(uint32_t(r));
        {
            CGLContextLock lock(wave.context);
            ClearArea(wave, background, true, true);
            fWave.Draw(input, wave.context, uint32_t(r));
            Flush(wave, true);
        }
    });
    fTimer.EndRender();
}

// Every row below both the row count and the analyser's channel count, with the pane the grid
// gives it for the visit; rows without one are left out.
void CSnxChList::ForEachRow(const std::function<void(int32_t, SNXCHCELL&)>& visit)
{
    const int32_t rows = std::min(Rows(), int32_t(fAnalyser.ChannelCount()));
    for (int32_t r = 0; r < rows; ++r) {
        CCellIter iter(*this, {0, r}, false);
        if (auto* row = dynamic_cast<SNXCHCELL*>(iter.Pane()))
            visit(r, *row);
    }
}
