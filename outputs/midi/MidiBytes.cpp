#include "outputs/midi/MidiBytes.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds halves away from zero after clamping, so the conversion is always defined.
int32_t RoundClamped(double value, int32_t hi)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int32_t>(std::round(std::clamp(value, 0.0, static_cast<double>(hi))));
}

} // namespace

uint8_t MidiStatus(uint8_t kind, uint32_t channel)
{
    return static_cast<uint8_t>((kind & 0xF0) | (channel & 0x0F));
}

uint8_t MidiDataByte(double value)
{
    return static_cast<uint8_t>(RoundClamped(value, 127));
}

uint16_t MidiBendValue(double value)
{
    return static_cast<uint16_t>(RoundClamped(value, 16383));
}
