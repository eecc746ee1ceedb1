#pragma once
#include "analysis/CSpectrumAnalyser.h"
#include "outputs/faders/CFaderSoundLink.h"
#include "outputs/midi/CMIDIClient.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/midi/MidiSystem.h"
#include "tests/support/OscDecoder.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The application's MIDI output port connected to a virtual destination whose packets the
// test reads back.
class FaderTestMidi {
public:
    FaderTestMidi()
    {
        fDest = fSystem.AddVirtualDestination({false, "", "", "Sink"});
        (void)fPort.SelectDest("Sink");
    }
    CMIDIOutPort* Port() { return &fPort; }
    // Every packet received as hex bytes ("B2 07 20"), and clears the record.
    std::vector<std::string> Take()
    {
        std::vector<std::string> messages;
        for (const auto& packet : fSystem.TakeReceived(fDest)) {
            std::string text;
            for (uint8_t byte : packet) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02X", byte);
                text += (text.empty() ? "" : " ") + std::string(hex);
            }
            messages.push_back(text);
        }
        return messages;
    }

private:
    plat::MidiSystem fSystem;
    CMIDIClient fClient{"Sonalyx", fSystem};
    CMIDIOutPort fPort{&fClient, "Faders"};
    plat::MidiEndpoint fDest = 0;
};

// A sound player that records what it was asked to do.
class FaderTestSound : public CFaderSoundLink {
public:
    bool Load(std::string_view f) override
    {
        file = std::string(f);
        playing = false;
        return !file.empty();
    }
    void Play() override { playing = true; }
    void Stop() override { playing = false; }
    void SetRate(float r) override { rate = r; }
    void SetVolume(float v) override { volume = v; }
    void SetLoop(bool l) override { loop = l; }

    std::string file;
    bool playing = false;
    bool loop = false;
    float rate = 1.0f;
    float volume = -1.0f;
};

// Fills channel `channel` of an analyser with samples and runs one Hann-windowed analysis.
void AnalyseSamples(CSpectrumAnalyser& analyser, uint32_t channel, const std::vector<float>& samples);
// amplitude x sin(2 pi bin n / N) for n = 0 .. count-1.
std::vector<float> SineOnBin(uint32_t bin, uint32_t fftSize, float amplitude, uint32_t count);
