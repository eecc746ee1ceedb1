#pragma once
#include <cstdint>
#include <vector>

// The USB packet format of the DMX interface: 64-byte packets of a header byte 0x00 and up
// to 7 groups, each a flag byte and up to 8 data bytes.
namespace DmxUsbPackets {

constexpr uint32_t kPacketSize = 64;
constexpr uint32_t kGroupsPerPacket = 7;
constexpr uint32_t kBytesPerGroup = 8;
constexpr uint32_t kDataPerPacket = kGroupsPerPacket * kBytesPerGroup;

// The bytes written for a frame of n bytes (start code first): the flag of the first group
// of the first packet is 1, every other flag 0; the buffer ends after the last data byte.
uint32_t PackedSize(uint32_t n);
// Lays the frame into `out` (PackedSize(n) bytes); returns the bytes written.
uint32_t Pack(const uint8_t* frame, uint32_t n, uint8_t* out);

} // namespace DmxUsbPackets
