#pragma once
#include <cstdint>

namespace plat {

// Interleaved linear PCM: rate, channels and sample width, signed or unsigned, either byte order.
struct AudioFormat {
    uint32_t rate = 44100;
    uint8_t channels = 2;
    uint8_t bits = 16;
    bool isSigned = true;
    bool bigEndian = false;

    uint32_t BytesPerSample() const { return (uint32_t(bits) + 7) / 8; }
    uint32_t BytesPerFrame() const { return BytesPerSample() * channels; }
};

// The format with the gaps filled: rate 0 becomes 44100, no channels two, an unusable sample
// width 16 bits.
AudioFormat WithDefaults(AudioFormat format);

// Writes a 16-bit sample value into one sample of the format at `at` (wider samples get the
// value in their upper two bytes, 8-bit ones its upper byte).
void EncodeSample(const AudioFormat& format, uint8_t* at, int16_t value);

// Frames handed to a callback at most at once.
inline constexpr uint32_t kMaxFramesPerSlice = 512;

} // namespace plat
