#pragma once
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "outputs/faders/CFaderOut.h"
#include "outputs/faders/CFaderSoundLink.h"
#include "outputs/faders/FaderDefaults.h"
#include "ui/LTimer.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CDmxOutput;
class CFaderSetRecord;
class CMIDIOutPort;
class CUDPPort;
class CSpectrumAnalyser;
class LAsyncQueue;
class LObject;
struct CSourceType;
struct LObjChange;

// What a document hands its engine besides the queue, the DMX output and the records.
// Without a MIDI port no MIDI is sent; without a sound maker every "snd" fader plays through
// a CFaderSoundPlayer.
struct CFaderEngineLinks {
    CMIDIOutPort* midiOut = nullptr;        // the application's MIDI output port
    CFaderSoundMaker soundMaker = nullptr;  // makes the player of each fader entry
    void* soundContext = nullptr;
};

// Turns analysis results into output for one document: one runtime entry per 'FADR' record,
// in the order of the document's fader list, kept in step through change notices. Band
// faders run on every analysis (main thread), time-domain faders on every arrival of samples
// (the thread that pulls them, under the queue lock). The fader list is guarded by the
// queue's re-entrant lock.
class CFaderEngine : public LHandler {
public:
    CFaderEngine(LAsyncQueue& queue, CDmxOutput* dmxOutput, CFaderSetRecord& document,
                 CFaderEngineLinks links = {});
    // Gives up driving the DMX output, leaves the document, stops every fader's output (last
    // first) and closes the UDP port.
    ~CFaderEngine() override;

    // Band faders from the spectra of every channel at sample rate `rate`, then the display
    // pass and at most one OSC message. Main thread, without the queue lock.
    void ApplySpectrum(uint32_t rate, const CSpectrumAnalyser& buffers);
    // Time-domain faders from the newest sample of each channel; `row` is the current source
    // type, whose first four channels scale the level (null: gain 1, offset 0). The caller
    // holds the lock.
    void ApplySamples(const CSpectrumAnalyser& buffers, const CSourceType* row);
    // Makes this engine the driver of the console values: writes the DMX console channels
    // and sends every MIDI console control. Nothing when it drives already.
    void TakeDmxOutput();
    bool DrivesDmxOutput() const;

    // "LTimer_Expire" of the sound timer starts every "snd" fader's loop; the UDP port's
    // completions end here.
    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Observer of the document's record changes (context: the engine).
    static void OnDocumentChanged(void* context, LObjChange& notice);

    // The local port OSC messages leave from; 0 when the UDP port could not be opened.
    uint32_t OscLocalPort() const;
    // Fader entries, for the window and tests. Index out of range gives null.
    uint32_t FaderCount() const;
    const CFaderOut* Fader(uint32_t index) const;

    // The mapped value of an entry ('ampl', 'amph', 'fdrl', 'fdrh' applied to inputValue).
    static float MapLevel(const CFaderOut& fader);

private:
    // What every band fader of a pass reads from the document.
    struct BandPass {
        uint32_t rate = 0;
        float factor = 1.0f;
        bool decibels = false;
        CPeakScale peakScale;
    };

    float PowerToLevel(float x) const;
    bool DecibelMode() const;
    void ApplyBandFader(CFaderOut& fader, const CSpectrumAnalyser& buffers, const BandPass& pass);
    // Copies the record's fields the passes read into the entry. Queue lock held.
    static void ReadPassFields(CFaderOut& fader);
    void PublishDcLevels(const CSpectrumAnalyser& buffers);
    void DisplayAndOscPass();
    void PublishLiveValues();
    // Stores a live value into a float field (HasFloatField) without notice; true when it changed.
    static bool StoreLiveValue(LObject* record, uint8_t field, float value);
    static bool HasFloatField(const LObject* record, uint8_t field);
    void SendNextOsc();

    void ReadFaderOutput(CFaderOut& fader);
    void ReadSound(CFaderOut& fader);
    std::string Param(const CFaderOut& fader, uint32_t kind, const char* name) const;
    void SendOutput(CFaderOut& fader, float value);
    void SendMidi(CFaderOut& fader, float value, float y);
    void StopOutput(CFaderOut& fader, bool keepSound);
    void SetSoundVolume(const CFaderOut& fader, float y);
    void StartSounds();
    bool SendShort(uint8_t status, uint8_t data1, uint8_t data2);
    void SendConsoleControl(uint32_t channel, const CConsoleControl& control);
    void SendAllConsoleControls();
    void SendDmxConsoleChannel(uint32_t i);
    void SendDmxConsole();

    void OnFaderInserted(uint32_t index);
    void OnFaderRemoved(uint32_t index);
    void OnFaderMoved(uint32_t from, uint32_t to);
    void OnFaderField(LObject* record, uint8_t field);
    void OnParamChanged(const LObjChange& notice);
    int32_t IndexOf(const LObject* record) const;

    LAsyncQueue& queue;
    LTimer soundTimer;
    CDmxOutput* dmxOutput;
    CFaderSetRecord& document;
    CFaderEngineLinks links;
    std::unique_ptr<CUDPPort> udpPort;
    std::vector<std::unique_ptr<CFaderOut>> faders;
    std::vector<CFaderDefault> defaults;
    std::vector<CConsoleControl> consoleControls;
    LByteBuffer oscBuffer;
    // The display pass's copy of the live values, kept so that a pass allocates nothing.
    std::vector<std::pair<float, float>> liveValues;
    uint32_t oscNext = 0;
    uint8_t cutDC = 0;
    // DC magnitude of each channel from the last analysis, read by the time-domain faders on
    // the sample thread; written and read under the queue lock.
    std::vector<float> dcLevels;
    bool observing = false;
};
