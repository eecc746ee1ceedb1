#include "controls/widgets/CLevelMeter.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

#include <algorithm>

namespace {

int32_t ImageSide(const LImageRef& image, bool height)
{
    const uint64_t size = image->GetSize();
    return int32_t(height ? size >> 32 : size & 0xFFFFFFFFu);
}

} // namespace

CLevelMeter::CLevelMeter(LPane* parent)
    : LPane(parent, parent), fColour(CColor::FromRGB(0, 255, 0, 0, 1.0f)), fTimer(this)
{
    SetState(kEventTransparent);
}

CLevelMeter::~CLevelMeter() = default;

void CLevelMeter::SetMax(int32_t max)
{
    fMax = max;
}

void CLevelMeter::SetImages(const LImageRef& unlit, const LImageRef& lit)
{
    fUnlit = unlit;
    fLit = lit;
}

CLRect CLevelMeter::BarRect(int32_t level) const
{
    const CLRect& r = Rect();
    const auto w = uint32_t(std::max<int64_t>(r.Width(), 0));
    const auto h = uint32_t(std::max<int64_t>(r.Height(), 0));
    const bool standing = w < h;
    int32_t length = fBaseLength;
    if (fMax >= 1) {
        const uint32_t m = uint32_t(fMax);
        const uint32_t span = (standing ? h : w) - uint32_t(fBaseLength);
        length += int32_t((uint64_t(m / 2) + uint64_t(span) * uint32_t(std::max(level, 0))) / m);
    }
    if (standing)
        return {r.left, r.bottom - length, r.right, r.bottom};
    return {r.left, r.top, r.left + length, r.bottom};
}

void CLevelMeter::SetLevel(int32_t level)
{
    level = std::clamp(level, 0, std::max(fMax, 0));
    if (level == fLevel)
        return;
    LRegion strip(BarRect(fLevel));
    strip.Xor(LRegion(BarRect(level)));
    const bool fell = level < fLevel;
    fLevel = level;
    Invalidate(strip, fell && fColour ? strip : LRegion());
}

void CLevelMeter::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        Decay();
        LMessage::Clear(result);
        return;
    }
    LPane::HandleMessage(result, msg);
}

// Drops the level by one for every decay period that has passed; re-arms for the next one.
void CLevelMeter::Decay()
{
    const uint32_t period = fMax > 0 ? uint32_t(1000 / (2 * fMax)) : 0;
    const uint32_t now = LTicks::Now();
    int32_t level = fLevel;
    while (level > 0 && int32_t(fNextDecay - now) <= 0) {
        --level;
        fNextDecay += period;
    }
    SetLevel(level);
    if (level > 0)
        fTimer.Start(uint32_t(std::max<int32_t>(int32_t(fNextDecay - now), 0)));
}

int32_t CLevelMeter::PrefWidth(LPaneContext*, int32_t)
{
    return fColour ? 8 : ImageSide(fUnlit, false);
}

int32_t CLevelMeter::PrefHeight(LPaneContext*, int32_t)
{
    return fColour ? 8 : ImageSide(fUnlit, true);
}

void CLevelMeter::DrawSelf(LPortState& port) const
{
    const CLRect bar = BarRect(fLevel);
    if (fColour) {
        LFillRegionOp(LRegion(bar), fColour).Draw(port);
        return;
    }
    {
        LClipScope clip(port.PushClip(LRegion(bar)));
        fLit->Draw(port, Rect());
    }
    LRegion rest(Rect());
    rest.Subtract(LRegion(bar));
    LClipScope clip(port.PushClip(rest));
    fUnlit->Draw(port, Rect());
}
