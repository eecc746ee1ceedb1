#pragma once
#include <cstdint>

// Reads one channel (or the mean of the first two) of a PCM frame as a signed 16-bit value,
// and writes a 16-bit value back into a frame of 8, 16, 24 or 32-bit samples, signed or
// unsigned, in either byte order. Only the two most significant bytes of a wider sample are
// read; writing one zeroes its lower bytes.
struct CPcmConverter {
    using GetFn = int32_t (*)(const uint8_t* sample);
    using PutFn = void (*)(uint8_t* sample, int32_t value);

    // The channel that selects the mix of the first two channels.
    static constexpr uint32_t kMixChannel = 255;

    uint32_t channelIndex = 0;
    uint32_t channelOffset = 0;   // byte offset of the channel inside a frame
    uint32_t frameBytes = 2;
    GetFn get = nullptr;
    PutFn put = nullptr;

    // The converter's channel of the frame, -32768..32767.
    int32_t Get(const uint8_t* frame) const { return get(frame + channelOffset); }
    // Writes value (clamped to -32768..32767) into the converter's channel of the frame.
    void Put(uint8_t* frame, int32_t value) const { put(frame + channelOffset, value); }
};

// Sets the converter for one channel of frames with the given layout. channel 255 mixes the
// first two channels (puts write both). A layout it cannot read (byte-order flag other than
// 0 or 1, bits outside 1..32, a channel past the last) gives the silent converter: reads 0,
// writes nothing, frame size 32.
void ConvertPCM(CPcmConverter& converter, uint8_t littleEndian, uint8_t isSigned, uint32_t bits,
    uint32_t channels, uint32_t channel);
// 16-bit signed little-endian, one channel.
void DefaultPCM(CPcmConverter& converter);
