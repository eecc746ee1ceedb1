#include "tests/outputs/FaderEngineFixture.h"

#include "foundation/async/LTicks.h"
#include "ui/LTimer.h"

#include <string>

FaderEngineFixture::FaderEngineFixture()
{
    EXPECT_TRUE(analyser.Setup(2, 8, 13));
}

FaderEngineFixture::~FaderEngineFixture()
{
    engine.reset();  // leaves the document before it goes
}

CFaderEngine& FaderEngineFixture::Engine()
{
    if (!engine) {
        CFaderEngineLinks links;
        links.midiOut = midi.Port();
        links.soundMaker = &FaderEngineFixture::MakeSound;
        links.soundContext = this;
        engine = std::make_unique<CFaderEngine>(queue, &dmx, document, std::move(links));
    }
    return *engine;
}

std::unique_ptr<CFaderSoundLink> FaderEngineFixture::MakeSound(void* context)
{
    auto sound = std::make_unique<FaderTestSound>();
    static_cast<FaderEngineFixture*>(context)->sounds.push_back(sound.get());
    return sound;
}

LObject* FaderEngineFixture::AddFader(uint8_t kind, uint8_t sourceType, uint8_t channel)
{
    LObject* fader = document.Fader(document.AppendFader(nullptr));
    EXPECT_NE(fader, nullptr);
    SetByte(fader, kFadrStyp, sourceType);
    SetByte(fader, kFadrSchn, channel);
    SetByte(fader, kFadrFtyp, kind);
    return fader;
}

LObject* FaderEngineFixture::AddBandFader(uint8_t measure, uint32_t slot)
{
    LObject* fader = AddFader(kFaderNone, measure, 0);
    SetFloat(fader, kFadrFrql, 240.0f);
    SetFloat(fader, kFadrFrqh, 272.0f);
    SetFloat(fader, kFadrAmph, 0.5f);
    SetParam(fader, "dch", std::to_string(slot).c_str());
    SetByte(fader, kFadrFtyp, kFaderDmx);
    return fader;
}

void FaderEngineFixture::SetParam(LObject* fader, const char* name, const char* value)
{
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, name, LStringRef(value));
}

void FaderEngineFixture::SetFloat(LObject* record, uint8_t field, float value)
{
    LObject::SetFloat(record, nullptr, field, value, LObject::Merge::No);
}

void FaderEngineFixture::SetByte(LObject* record, uint8_t field, uint8_t value)
{
    LObject::SetByte(record, nullptr, field, value, LObject::Merge::No);
}

void FaderEngineFixture::Feed(uint32_t channel, float value, const CSourceType* row)
{
    LAsyncQueueLock lock(queue);
    analyser.Channel(channel)->Push(value);
    engine->ApplySamples(analyser, row);
}

void FaderEngineFixture::FireTimers()
{
    const uint32_t later = LTicks::Now() + 1000;
    for (int guard = 0; guard < 100; ++guard) {
        const LMessage msg = LTimer::DispatchDue(later, nullptr, nullptr, true);
        if (msg.IsConsumed())
            return;
        LMessage::Send(msg);
    }
}
