#include "analysis/views/FreqAxis.h"
#include "analysis/render/RenderRecords.h"
#include "foundation/text/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// However small a grid step, the axis never writes more labels than this.
constexpr uint32_t kMaxLabels = 256;

int32_t RoundHalfAway(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(std::trunc(v + std::copysign(0.5, v)), -1.0e9, 1.0e9));
}

LStringRef Label(double f, bool withHz)
{
    const UnitScale us = ChooseUnitScale(float(f));
    std::string text(DoubleToStringTrim(us.decimals, f * us.scale).View());
    text += us.prefix;
    if (withHz)
        text += "Hz";
    return LStringRef(text.c_str());
}

void LinearLabels(const FreqAxisInput& in, double nyq, double zoom, std::vector<FreqAxisLabel>& out)
{
    const double g = 2.0 * double(in.step);
    if (!(g > 0.0) || !std::isfinite(g))
        return;
    const double end = (1.0 / zoom + double(in.fqps)) * nyq;
    for (double f = std::ceil(nyq * double(in.fqps) / g) * g; f < end && out.size() < kMaxLabels; f += g)
        out.push_back({f / nyq, Label(f, true)});
}

void LogLabels(const FreqAxisInput& in, double nyq, double zoom, std::vector<FreqAxisLabel>& out)
{
    const double bins = std::ldexp(1.0, std::clamp<int>(in.ftsx, 1, 30)) / 2.0;
    if (bins <= 1.0)
        return;
    const int firstDecade = int(std::ceil(std::log10(nyq / bins)));
    const int lastMultiple = zoom <= 1.0 ? 1 : 9;
    for (int d = firstDecade; std::pow(10.0, d) < nyq && out.size() < kMaxLabels; ++d) {
        for (int m = 1; m <= lastMultiple; ++m) {
            const double f = m * std::pow(10.0, d);
            if (f >= nyq)
                return;
            const double u = 1.0 + std::log(f / nyq) / std::log(bins);
            if (u >= 0.0)
                out.push_back({u, Label(f, false)});
        }
    }
}

} // namespace

std::vector<FreqAxisLabel> FreqAxisLabels(const FreqAxisInput& in)
{
    std::vector<FreqAxisLabel> labels;
    const double nyq = double(in.rate) * 0.5;
    if (!(nyq > 0.0) || !std::isfinite(nyq))
        return labels;
    const double zoom = UsableFreqZoom(in.fqzm);
    if (in.logFrequency)
        LogLabels(in, nyq, zoom, labels);
    else
        LinearLabels(in, nyq, zoom, labels);
    return labels;
}

int32_t FreqAxisX(double u, const FreqAxisInput& in, int32_t left, int32_t width)
{
    const double fqps = std::isfinite(in.fqps) ? in.fqps : 0.0;
    return RoundHalfAway((u - fqps) * width * UsableFreqZoom(in.fqzm)) + left;
}

FreqScroll FreqScrollBar(float fqzm, float fqps)
{
    const float zoom = UsableFreqZoom(fqzm);
    const float z = zoom * 10.0f;
    FreqScroll bar;
    bar.maximum = int32_t(std::clamp(std::trunc(z * (1.0f - 1.0f / zoom)), 0.0f, 1.0e9f));
    bar.value = std::clamp(RoundHalfAway(double(std::isfinite(fqps) ? fqps : 0.0f) * z), 0, bar.maximum);
    bar.fqps = float(bar.value) / z;
    return bar;
}
