#include "platform/audio/AudioFormat.h"

namespace plat {

AudioFormat WithDefaults(AudioFormat format)
{
    if (format.rate == 0)
        format.rate = 44100;
    if (format.channels == 0)
        format.channels = 2;
    if (format.bits == 0 || format.bits > 32)
        format.bits = 16;
    return format;
}

void EncodeSample(const AudioFormat& format, uint8_t* at, int16_t value)
{
    const uint32_t bytes = format.BytesPerSample();
    uint16_t raw = uint16_t(value);
    if (!format.isSigned)
        raw ^= 0x8000;
    if (bytes == 1) {
        at[0] = uint8_t(raw >> 8);
        return;
    }
    for (uint32_t i = 0; i < bytes; ++i)
        at[i] = 0;
    const uint32_t hi = format.bigEndian ? 0 : bytes - 1;
    const uint32_t lo = format.bigEndian ? 1 : bytes - 2;
    at[hi] = uint8_t(raw >> 8);
    at[lo] = uint8_t(raw);
}

} // namespace plat
