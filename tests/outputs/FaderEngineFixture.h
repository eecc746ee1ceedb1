#pragma once
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObject.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderEngine.h"
#include "platform/devices/DeviceRegistry.h"
#include "tests/outputs/FaderTestKit.h"
#include "tests/outputs/StepQueue.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A document, an analyser of two 256-point channels, the simulated outputs and an engine.
class FaderEngineFixture : public ::testing::Test {
protected:
    FaderEngineFixture();
    ~FaderEngineFixture() override;

    // Makes the engine (once), with recording sound players.
    CFaderEngine& Engine();
    // Appends a fader of an output kind fed by a source type and channel.
    LObject* AddFader(uint8_t kind, uint8_t sourceType = 4, uint8_t channel = 0);
    // A band fader on channel 0, 240..272 Hz, input range 0..0.5, on DMX slot `slot`.
    LObject* AddBandFader(uint8_t measure, uint32_t slot);
    static void SetParam(LObject* fader, const char* name, const char* value);
    static void SetFloat(LObject* record, uint8_t field, float value);
    static void SetByte(LObject* record, uint8_t field, uint8_t value);
    // Pushes one sample onto a channel and runs the time-domain faders as the sample pull
    // does, under the queue lock.
    void Feed(uint32_t channel, float value, const CSourceType* row = nullptr);
    // Slot k of the DMX output's program frame.
    uint8_t Slot(uint32_t k) const { return dmx.OutFrame().Get(k); }
    // Fires the engine's sound timer as the main loop would.
    static void FireTimers();
    LObject* Common() const { return document.Common(); }

    StepQueue queue;
    plat::DeviceRegistry registry;
    CDmxOutput dmx{nullptr, &queue, registry};
    FaderTestMidi midi;
    CFaderSetRecord document;
    CSpectrumAnalyser analyser;
    std::vector<FaderTestSound*> sounds;
    std::unique_ptr<CFaderEngine> engine;

private:
    static std::unique_ptr<CFaderSoundLink> MakeSound(void* context);
};
