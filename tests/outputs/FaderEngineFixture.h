#pragma once
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/async/LTicks.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObject.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderEngine.h"
#include "platform/devices/DeviceRegistry.h"
#include "tests/outputs/FaderTestKit.h"
#include "tests/outputs/StepQueue.h"
#include "ui/LTimer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A document, an analyser of two 256-point channels, the simulated outputs and an engine.
class FaderEngineFixture : public ::testing::Test {
protected:
    FaderEngineFixture() { EXPECT_TRUE(analyser.Setup(2, 8, 13)); }
    ~FaderEngineFixture() override { engine.reset(); } // leaves the document before it goes

    // Makes the engine (once), with recording sound players.
    CFaderEngine& Engine();
    // Appends a fader of an output kind fed by a source type and channel.
    LObject* AddFader(uint8_t kind, uint8_t sourceType = 4, uint8_t channel = 0)
    {
        LObject* fader = document.Fader(document.AppendFader(nullptr));
        EXPECT_NE(fader, nullptr);
        SetByte(fader, kFadrStyp, sourceType);
        SetByte(fader, kFadrSchn, channel);
        SetByte(fader, kFadrFtyp, kind);
        return fader;
    }
    // A band fader on channel 0, 240..272 Hz, input range 0..0.5, on DMX slot `slot`.
    LObject* AddBandFader(uint8_t measure, uint32_t slot)
    {
        LObject* fader = AddFader(kFaderNone, measure, 0);
        SetFloat(fader, kFadrFrql, 240.0f);
        SetFloat(fader, kFadrFrqh, 272.0f);
        SetFloat(fader, kFadrAmph, 0.5f);
        SetParam(fader, "dch", std::to_string(slot).c_str());
        SetByte(fader, kFadrFtyp, kFaderDmx);
        return fader;
    }
    static void SetParam(LObject* fader, const char* name, const char* value)
    {
        CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, name, LStringRef(value));
    }
    static void SetFloat(LObject* record, uint8_t field, float value)
    {
        LObject::SetFloat(record, nullptr, field, value, LObject::Merge::No);
    }
    static void SetByte(LObject* record, uint8_t field, uint8_t value)
    {
        LObject::SetByte(record, nullptr, field, value, LObject::Merge::No);
    }
    // Pushes one sample onto a channel and runs the time-domain faders as the sample pull
    // does, under the queue lock.
    void Feed(uint32_t channel, float value, const CSourceType* row = nullptr)
    {
        LAsyncQueueLock lock(queue);
        analyser.Channel(channel)->Push(value);
        engine->ApplySamples(analyser, row);
    }
    // Slot k of the DMX output's program frame.
    uint8_t Slot(uint32_t k) const { return dmx.OutFrame().Get(k); }
    // Fires the engine's sound timer as the main loop would.
    static void FireTimers()
    {
        const uint32_t later = LTicks::Now() + 1000;
        for (int guard = 0; guard < 100; ++guard) {
            const LMessage msg = LTimer::DispatchDue(later, nullptr, nullptr, true);
            if (msg.IsConsumed())
                return;
            LMessage::Send(msg);
        }
    }
    LObject* Common() const { return document.Common(); }

    StepQueue queue;
    plat::DeviceRegistry registry;
    CDmxOutput dmx{nullptr, &queue, registry};
    FaderTestMidi midi;
    CFaderSetRecord document;
    CSpectrumAnalyser analyser;
    std::vector<FaderTestSound*> sounds;
    std::unique_ptr<CFaderEngine> engine;
};
