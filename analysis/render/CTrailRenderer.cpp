#include "analysis/render/CTrailRenderer.h"
#include "analysis/CBandList.h"
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/gl/CTextResource.h"
#include "analysis/gl/SharedGLContext.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/GLDraw.h"
#include "analysis/render/RenderInput.h"
#include "analysis/render/RenderRecords.h"
#include "analysis/render/TrailBand.h"
#include "analysis/render/TriangleNormal.h"
#include "foundation/async/LTicks.h"
#include "foundation/records/LObject.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContextLock.h"

#include <algorithm>
#include <cmath>

const char* const CTrailRenderer::kGetYLinear = "float\tGetY() {return gl_Vertex.y * gZoom;}";
const char* const CTrailRenderer::kGetYDecibel =
    "float\tGetY() {return max(0.0, 0.14476 * log(gl_Vertex.y) + gZoomDB);}";
const char* const CTrailRenderer::kGetXLinear = "float\tGetX() {return gl_Vertex.x * gRSpects;}";
const char* const CTrailRenderer::kGetXLog =
    "float\tGetX() {return max(-1.0, 1.0 + log(gl_Vertex.x * gRSpects) * gFreqBase);}";

const char* const CTrailRenderer::kLineFragment = "#version 120\nvoid main() {gl_FragColor = gl_Color;}";

namespace {

// The band mapper of the current FFT size and rate for a spectrum of `highest` bins.
TrailBand MakeBand(const RenderInput& input, uint32_t highest)
{
    const float rate = SampleRate(input);
    return TrailBand{input.bands, highest, 0.5f * rate, rate > 0.0f ? float(FftPoints(input)) / rate : 0.0f};
}

// Bands that map before the first one that does not (at most the band list's limit).
uint32_t CountBands(const TrailBand& band)
{
    uint32_t count = 0, lo = 0, hi = 0;
    while (count < CBandList::kMaxBands && band.ToBins(count, lo, hi))
        ++count;
    return count;
}

LStringRef ShaderText(const char* name)
{
    return CTextResource(LResRef{0, name}, nullptr, kTextResourceType).text;
}

} // namespace

CTrailRenderer::CTrailRenderer() = default;

CTrailRenderer::~CTrailRenderer()
{
    CGLContextLock lock(SharedGLContext());
    labels.Clear();
    fImages.clear();
}

void CTrailRenderer::Empty()
{
    CGLContextLock lock(SharedGLContext());
    perSlice = 0;
    slice = 0;
    buffers.clear();
    indices.Free();
    labels.Clear();
    fImages.clear();
}

void CTrailRenderer::Rebuild(const RenderInput& input, uint32_t requestedDepth, bool reset)
{
    depth = std::max<uint32_t>(1, requestedDepth);
    trailOn = requestedDepth != 0 ? 1 : 0;
    ++fRingChanges;
    const uint32_t channels = input.analyser ? input.analyser->ChannelCount() : 0;
    if (channels == 0) {
        Empty();
        return;
    }
    CGLContextLock lock(SharedGLContext());
    while (buffers.size() > channels)
        buffers.pop_back();
    const uint32_t bins = FftPoints(input) / 2;
    const TrailBand band = MakeBand(input, bins);
    const uint32_t newPerSlice = input.bands ? 4 * CountBands(band) : bins;
    if (!BuildPrograms(input, requestedDepth, bins))
        return;
    const uint64_t pairs = uint64_t(depth) * newPerSlice;
    if (!reset && channels == buffers.size() && newPerSlice == perSlice && indices.Size() == pairs * 8)
        return;
    if (!FitRings(input, reset, newPerSlice, input.bands ? &band : nullptr)) {
        Empty();
        return;
    }
    perSlice = newPerSlice;
    slice = std::min(slice, depth - 1);
    labels.Clear();
}

// Builds the trail program (with the snippets the settings ask for) and the colour-scale
// program; false when the trail program did not link. The shared lock is held.
bool CTrailRenderer::BuildPrograms(const RenderInput& input, uint32_t requestedDepth, uint32_t bins)
{
    const LStringRef vertexText = ShaderText("VS_TRAIL");
    const LStringRef fragmentText = ShaderText("FS_TRAIL");
    const char* vertex[] = {vertexText.Text(), CommonByte(input, kComnDb) ? kGetYDecibel : kGetYLinear,
                            CommonByte(input, kComnFqlg) ? kGetXLog : kGetXLinear};
    const char* fragment[] = {fragmentText.Text()};
    trailProgram.Build(3, vertex, 1, requestedDepth != 0 ? fragment : &kLineFragment);
    if (!trailProgram.linked)
        return false;
    glUseProgram(trailProgram.program);
    SetUniform(trailProgram.program, "gDepth", float(depth));
    SetUniform(trailProgram.program, "gRSpects", 1.0f / float(bins));
    // A single bin has no logarithmic range: every bin then lands at the right edge.
    SetUniform(trailProgram.program, "gFreqBase", bins > 1 ? 1.0f / std::log(float(bins)) : 0.0f);
    glUseProgram(0);

    const LStringRef bandText = ShaderText("VS_CBAND");
    const char* bandVertex[] = {bandText.Text()};
    bandProgram.Build(1, bandVertex, 1, fragment);
    ++fProgramBuilds;
    if (!fImageProgram.linked)
        fImageProgram.Build(1, &TrailImage::kVertexText, 1, &TrailImage::kFragmentText);
    return true;
}

// Sizes the index pairs and one ring per channel; false when memory is short.
bool CTrailRenderer::FitRings(const RenderInput& input, bool reset, uint32_t newPerSlice, const TrailBand* mapper)
{
    const uint64_t pairs = uint64_t(depth) * newPerSlice;
    if (pairs * 8 > UINT32_MAX || !indices.Resize(uint32_t(pairs * 8), false))
        return false;
    auto* pair = reinterpret_cast<uint32_t*>(indices.Data());
    for (uint64_t i = 0; i < pairs; ++i) {
        pair[2 * i] = uint32_t(i);
        pair[2 * i + 1] = uint32_t((i + uint64_t(depth - 1) * newPerSlice) % pairs);
    }
    const uint32_t channels = input.analyser->ChannelCount();
    const bool clear = reset || perSlice != newPerSlice;
    for (uint32_t c = 0; c < channels; ++c) {
        if (c >= buffers.size())
            buffers.push_back(std::make_unique<TrailBuffer>());
        if (!buffers[c]->Resize(depth, newPerSlice, slice, clear, mapper))
            return false;
    }
    return true;
}

uint32_t CTrailRenderer::SliceInterval(const LObject* window, uint32_t n)
{
    if (!window)
        return 0;
    switch (window->GetByte(kWindTrud)) {
    case 1: {
        const float perSecond = std::max(1.0f, float(window->GetUInt(kWindTruf))) * window->GetFloat(kWindRate);
        // A rate below 1 Hz leaves no divisor: a slice on every pass.
        if (!(perSecond >= 1.0f) || !(perSecond < 4294967296.0f))
            return 0;
        const uint64_t q = uint64_t(perSecond);
        return uint32_t(((q / 2) + 1000ull * n) / q);
    }
    case 0: {
        const uint64_t m = std::max<uint32_t>(1, window->GetUInt(kWindTrus));
        return uint32_t(((m / 2) + 1000) / m);
    }
    default: return 0;
    }
}

void CTrailRenderer::AddSlice(const RenderInput& input)
{
    const uint32_t interval = SliceInterval(input.window, FftPoints(input));
    const uint32_t now = LTicks::Now();
    if (now - lastSliceMs >= interval) {
        lastSliceMs = (now - (lastSliceMs + interval) < interval) ? lastSliceMs + interval : now;
        slice = (slice + 1) % depth;
        ++fRingChanges;
        if (input.analyser)
            labels.SetLabel(slice, input.analyser->TakeLastLine());
    }
    if (!input.analyser || perSlice == 0)
        return;
    CGLContextLock lock(SharedGLContext());
    const uint32_t bins = FftPoints(input) / 2;
    const uint32_t channels = std::min<uint32_t>(uint32_t(buffers.size()), input.analyser->ChannelCount());
    for (uint32_t c = 0; c < channels; ++c)
        WriteSlice(input, c, bins);
}

// Writes the newest slice of channel c from its magnitude spectrum, with normals from the
// previous slice at the same vertex and the vertex before in this slice.
void CTrailRenderer::WriteSlice(const RenderInput& input, uint32_t c, uint32_t bins)
{
    const CSpectrumChan* chan = input.analyser->Channel(c);
    TrailBuffer& buffer = *buffers[c];
    if (!chan || buffer.VertexCount() < uint64_t(depth) * perSlice)
        return;
    TrailVertex* v = buffer.Vertices() + size_t(slice) * perSlice;
    float* previous = buffer.Previous();
    const float dz = -1.0f / float(depth);
    const float dx = -1.0f / float(bins);
    const std::vector<float>& m = chan->magnitude;
    const uint32_t count = uint32_t(m.size());
    auto place = [&](uint32_t i, float y, float before) {
        const TrailPoint n = TriangleNormal({0, y, 0}, {0, previous[i], dz}, {dx, before, 0});
        v[i].y = y;
        v[i].nx = n.x;
        v[i].ny = n.y;
        v[i].nz = n.z;
        previous[i] = y;
    };
    if (!input.bands) {
        const uint32_t n = std::min({bins, count, perSlice});
        for (uint32_t i = 0; i < n; ++i)
            place(i, m[i], i ? v[i - 1].y : 0.0f);
        return;
    }
    const TrailBand band = MakeBand(input, count);
    uint32_t lo = 0, hi = 0;
    for (uint32_t b = 0; 4 * b < perSlice && band.ToBins(b, lo, hi); ++b) {
        double sum = 0.0;
        for (uint32_t k = lo; k < hi; ++k)
            sum += m[k];
        const float mean = hi > lo ? float(sum / double(hi - lo)) : 0.0f;
        const float ys[4] = {0.0f, mean, mean, 0.0f};
        for (uint32_t k = 0; k < 4; ++k) {
            const uint32_t i = 4 * b + k;
            place(i, ys[k], k ? v[i - 1].y : 0.0f); // a band starts from the floor
        }
    }
}
