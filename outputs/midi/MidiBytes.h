#pragma once
#include <cstdint>

// Safe MIDI message bytes from computed values: a status byte always keeps its kind, data
// bytes stay below 0x80, and values that are not finite count as 0.

// The status byte of a channel message: kind (0x80..0xE0) with the channel's low 4 bits.
uint8_t MidiStatus(uint8_t kind, uint32_t channel);
// A value rounded to the nearest integer (halves away from zero) and clamped to 0..127.
uint8_t MidiDataByte(double value);
// A pitch-bend value rounded and clamped to 0..16383.
uint16_t MidiBendValue(double value);
