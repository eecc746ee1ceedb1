#include "outputs/dmx/DmxUsbPackets.h"

namespace DmxUsbPackets {

uint32_t PackedSize(uint32_t n)
{
    if (n == 0)
        return 0;
    const uint32_t full = (n - 1) / kDataPerPacket;   // packets before the last
    const uint32_t rest = n - full * kDataPerPacket;  // data bytes of the last packet, 1..56
    const uint32_t groups = (rest + kBytesPerGroup - 1) / kBytesPerGroup;
    return full * kPacketSize + 1 + groups + rest;
}

uint32_t Pack(const uint8_t* frame, uint32_t n, uint8_t* out)
{
    uint32_t written = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t inPacket = i % kDataPerPacket;
        if (inPacket == 0)
            out[written++] = 0x00;
        if (inPacket % kBytesPerGroup == 0)
            out[written++] = i == 0 ? 1 : 0;
        out[written++] = frame[i];
    }
    return written;
}

} // namespace DmxUsbPackets
