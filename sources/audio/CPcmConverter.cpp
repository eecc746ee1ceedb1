#include "sources/audio/CPcmConverter.h"

#include <algorithm>

namespace {

int32_t Clamp16(int32_t v)
{
    return std::clamp(v, -32768, 32767);
}

// The upper pair of a sample as an unsigned 16-bit value; hi and lo are byte offsets.
template <int Hi, int Lo>
int32_t Upper(const uint8_t* s)
{
    return int32_t(s[Hi]) << 8 | s[Lo];
}

// Offsets of the upper pair and the sample's width for each [bytes - 1][little-endian].
template <int Bytes, bool Little>
struct Layout {
    static constexpr int hi = Little ? Bytes - 1 : 0;
    static constexpr int lo = Bytes == 1 ? 0 : (Little ? Bytes - 2 : 1);
};

template <int Bytes, bool Little, bool Signed>
int32_t GetOne(const uint8_t* s)
{
    if constexpr (Bytes == 1) {
        // A full-scale 8-bit minimum lands 128 below the 16-bit range: clamp it.
        if constexpr (Signed)
            return Clamp16(int32_t(int8_t(s[0])) * 257);
        else
            return Clamp16((int32_t(s[0]) - 128) * 257);
    } else {
        using L = Layout<Bytes, Little>;
        const int32_t u = Upper<L::hi, L::lo>(s);
        return Signed ? int32_t(int16_t(uint16_t(u))) : u - 32768;
    }
}

template <int Bytes, bool Little, bool Signed>
void PutOne(uint8_t* s, int32_t value)
{
    const int32_t v = Clamp16(value);
    if constexpr (Bytes == 1) {
        s[0] = uint8_t(v / 256 + (Signed ? 0 : 128));
    } else {
        using L = Layout<Bytes, Little>;
        for (int i = 0; i < Bytes; ++i)
            s[i] = 0;
        s[L::hi] = uint8_t((v >> 8) + (Signed ? 0 : 128));
        s[L::lo] = uint8_t(v & 255);
    }
}

template <int Bytes, bool Little, bool Signed>
int32_t GetMix(const uint8_t* s)
{
    if constexpr (Bytes == 1) {
        if constexpr (Signed)
            return Clamp16((int32_t(int8_t(s[0])) + int8_t(s[1])) * 128);
        else
            return (int32_t(s[0]) + s[1]) * 128 - 32768;
    } else {
        using L = Layout<Bytes, Little>;
        const int32_t u0 = Upper<L::hi, L::lo>(s);
        const int32_t u1 = Upper<L::hi + Bytes, L::lo + Bytes>(s);
        if constexpr (Signed)
            return (int32_t(int16_t(uint16_t(u0))) + int16_t(uint16_t(u1))) / 2;
        else
            return (u0 + u1) / 2 - 32768;
    }
}

template <int Bytes, bool Little, bool Signed>
void PutMix(uint8_t* s, int32_t value)
{
    PutOne<Bytes, Little, Signed>(s, value);
    PutOne<Bytes, Little, Signed>(s + Bytes, value);
}

int32_t GetSilent(const uint8_t*)
{
    return 0;
}

void PutSilent(uint8_t*, int32_t) {}

struct Entry {
    CPcmConverter::GetFn get;
    CPcmConverter::PutFn put;
};

// Columns: little-endian * 2 + signed.
template <int Bytes, bool Mix>
constexpr Entry Row(int column)
{
    constexpr Entry one[4] = {
        {GetOne<Bytes, false, false>, PutOne<Bytes, false, false>},
        {GetOne<Bytes, false, true>, PutOne<Bytes, false, true>},
        {GetOne<Bytes, true, false>, PutOne<Bytes, true, false>},
        {GetOne<Bytes, true, true>, PutOne<Bytes, true, true>},
    };
    constexpr Entry mix[4] = {
        {GetMix<Bytes, false, false>, PutMix<Bytes, false, false>},
        {GetMix<Bytes, false, true>, PutMix<Bytes, false, true>},
        {GetMix<Bytes, true, false>, PutMix<Bytes, true, false>},
        {GetMix<Bytes, true, true>, PutMix<Bytes, true, true>},
    };
    return Mix ? mix[column] : one[column];
}

template <bool Mix>
Entry Lookup(uint32_t bytes, int column)
{
    switch (bytes) {
    case 1: return Row<1, Mix>(column);
    case 2: return Row<2, Mix>(column);
    case 3: return Row<3, Mix>(column);
    default: return Row<4, Mix>(column);
    }
}

void Set(CPcmConverter& c, Entry entry, uint32_t index, uint32_t offset, uint32_t frameBytes)
{
    c.get = entry.get;
    c.put = entry.put;
    c.channelIndex = index;
    c.channelOffset = offset;
    c.frameBytes = frameBytes;
}

} // namespace

void ConvertPCM(CPcmConverter& converter, uint8_t littleEndian, uint8_t isSigned, uint32_t bits,
    uint32_t channels, uint32_t channel)
{
    const bool layoutOk = littleEndian <= 1 && bits >= 1 && bits <= 32 && channels <= 0xFFFF;
    const uint32_t bytes = (bits + 7) / 8;
    const int column = littleEndian * 2 + (isSigned ? 1 : 0);
    if (layoutOk && channel < channels) {
        Set(converter, Lookup<false>(bytes, column), channel, channel * bytes, channels * bytes);
    } else if (layoutOk && channels != 0 && channel == CPcmConverter::kMixChannel) {
        const Entry entry = channels == 1 ? Lookup<false>(bytes, column) : Lookup<true>(bytes, column);
        Set(converter, entry, channel, 0, channels * bytes);
    } else {
        Set(converter, {GetSilent, PutSilent}, channel, 0, 32);
    }
}

void DefaultPCM(CPcmConverter& converter)
{
    ConvertPCM(converter, 1, 1, 16, 1, 0);
}
