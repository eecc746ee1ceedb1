#pragma once
#include "platform/audio/AudioFormat.h"

#include <cstdint>

// The PCM layout shared by the audio units, the sound sources and the WAV writer.
struct CSampleFormat {
    uint32_t rate = 44100;
    uint8_t channels = 2;
    uint8_t bits = 16;
    uint8_t isSigned = 1;
    uint8_t bigEndian = 0;

    constexpr CSampleFormat() = default;
    constexpr CSampleFormat(uint32_t rate, uint8_t channels, uint8_t bits, uint8_t isSigned, uint8_t bigEndian)
        : rate(rate), channels(channels), bits(bits), isSigned(isSigned), bigEndian(bigEndian)
    {
    }

    uint32_t BytesPerFrame() const { return ((uint32_t(bits) + 7) / 8) * channels; }

    plat::AudioFormat ToPlatform() const { return {rate, channels, bits, isSigned != 0, bigEndian != 0}; }
    static CSampleFormat FromPlatform(const plat::AudioFormat& f)
    {
        return {f.rate, f.channels, f.bits, uint8_t(f.isSigned), uint8_t(f.bigEndian)};
    }
};
