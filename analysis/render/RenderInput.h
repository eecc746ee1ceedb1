#pragma once
#include <cstdint>

class CBandList;
class CSpectrumAnalyser;
class LObject;
struct CSourceType;

// What the channel list hands the renderers for one pass; they only read it (the analyser's
// pending event line excepted, which the trail takes when it adds a slice).
struct RenderInput {
    CSpectrumAnalyser* analyser = nullptr;     // channels and the event-line ring
    const LObject* document = nullptr;         // the 'FDRS' root
    const LObject* window = nullptr;           // the window's 'WIND' record
    const CBandList* bands = nullptr;          // band mode when present
    const CSourceType* sourceType = nullptr;   // display ranges per channel, or none
    uint32_t waveSamples = 0;                  // samples the waveform shows
    float waveSpan = 0.0f;                     // seconds the waveform shows
    float waveStep = 0.0f;                     // seconds per waveform grid division
    uint32_t zoom = 1;                         // amplitude zoom, at least 1
};
