#pragma once
#include <cstdint>

class LObject;
struct RenderInput;

// The record values the renderers read, with safe answers when a record is missing.

// The document's 'COMN' record, or null.
const LObject* CommonRecord(const RenderInput& input);
// A byte of 'COMN' (0 without one).
uint8_t CommonByte(const RenderInput& input, uint8_t field);
// Points of the FFT: 2^order with the stored order kept in the transform's range.
uint32_t FftPoints(const RenderInput& input);
// A byte of the window record (0 without one).
uint8_t WindowByte(const RenderInput& input, uint8_t field);
// The current sample rate (window run-time field), 0 without a window record.
float SampleRate(const RenderInput& input);
// The window's 'CHVW' record, or null.
const LObject* FreqViewRecord(const RenderInput& input);
// A frequency zoom as a divisor: 'fqzm' that is not a positive finite number reads as 1.
float UsableFreqZoom(float fqzm);
// The window's frequency zoom and the left edge of its visible range (1 and 0 without 'CHVW').
float FreqZoom(const RenderInput& input);
float FreqPosition(const RenderInput& input);
// 'CHAN' record c of the document, or null.
const LObject* ChannelRecord(const RenderInput& input, uint32_t c);
// Number of 'FADR' records and fader i (null past the end).
uint32_t FaderCount(const RenderInput& input);
const LObject* FaderRecord(const RenderInput& input, uint32_t i);
// The colour field as red, green, blue bytes with the given alpha.
void ColorBytes(const LObject* colors, uint8_t field, uint8_t alpha, uint8_t out[4]);
