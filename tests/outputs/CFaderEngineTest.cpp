// Band and time-domain faders end to end, DMX slots, sounds, record following, the
// display-and-OSC pass over real UDP, and the two threads that feed the engine.
#include "tests/outputs/FaderEngineFixture.h"

#include "outputs/faders/CFaderSoundPlayer.h"
#include "sources/CSourceType.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <new>
#include <thread>

TEST_F(FaderEngineFixture, BandFadersOfASineDriveDmxSlotsAndShowTheirValues)
{
    Engine();
    LObject* sum = AddBandFader(0, 1);
    AddBandFader(1, 2);
    AddBandFader(2, 3);
    LObject* peak = AddBandFader(3, 4);
    AnalyseSamples(analyser, 0, SineOnBin(64, 256, 0.25f, 1024));
    engine->ApplySpectrum(1024, analyser);
    // Mapped 0.5, 0.25, 0.0625 and 1.0, truncated to bytes.
    EXPECT_EQ((std::array<int, 4>{Slot(1), Slot(2), Slot(3), Slot(4)}), (std::array<int, 4>{127, 63, 15, 255}));
    EXPECT_NEAR(sum->GetFloat(kFadrInput), 0.25f, 1e-6);
    EXPECT_NEAR(sum->GetFloat(kFadrLevel), 0.5f, 2e-6);
    EXPECT_NEAR(peak->GetFloat(kFadrInput), 0.5714286f, 1e-7);
    EXPECT_EQ(peak->GetFloat(kFadrLevel), 1.0f);
    // A range edit acts at once, without another analysis: the output range reversed.
    SetFloat(sum, kFadrFdrl, 1.0f);
    SetFloat(sum, kFadrFdrh, 0.0f);
    EXPECT_EQ(Slot(1), 127);  // 1 - 0.5
    SetFloat(sum, kFadrAmph, 0.25f);
    EXPECT_EQ(Slot(1), 0);
}

// Every pass writes both live fields of each fader and tells of them in one notice per
// fader: the level's when the level moved (the editor's meters listen for it), the input's
// when only the input moved, none when neither did.
TEST_F(FaderEngineFixture, EachPassTellsOfAFadersLiveValuesInOneNotice)
{
    Engine();
    LObject* moving = AddBandFader(0, 1);
    LObject* clipped = AddBandFader(0, 2);
    SetFloat(clipped, kFadrAmph, 0.1f);  // any input from 0.1 up gives level 1
    LObject* quiet = AddBandFader(0, 3);
    SetFloat(quiet, kFadrFrqh, 640.0f);
    SetFloat(quiet, kFadrFrql, 600.0f);  // off the sine: input and level stay 0
    struct Heard {
        const LObject* record;
        uint8_t field;
        int32_t place;
        bool operator==(const Heard&) const = default;
    };
    std::vector<Heard> heard;
    const LObjObserver listen = [](void* context, LObjChange& notice) {
        if (notice.operation == LObjOp::Changed && (notice.field == kFadrInput || notice.field == kFadrLevel))
            static_cast<std::vector<Heard>*>(context)->push_back({notice.record, notice.field, notice.index2});
    };
    ASSERT_TRUE(document.AddObserver(&heard, listen));
    const struct {
        float amplitude;
        std::vector<Heard> notices;
        float movingLevel, clippedInput;
    } passes[] = {
        {0.25f, {{moving, kFadrLevel, 0}, {clipped, kFadrLevel, 1}}, 0.5f, 0.25f},
        {0.5f, {{moving, kFadrLevel, 0}, {clipped, kFadrInput, 1}}, 1.0f, 0.5f},
        {0.5f, {}, 1.0f, 0.5f},
    };
    for (const auto& pass : passes) {
        SCOPED_TRACE(pass.amplitude);
        heard.clear();
        AnalyseSamples(analyser, 0, SineOnBin(64, 256, pass.amplitude, 1024));
        engine->ApplySpectrum(1024, analyser);
        EXPECT_EQ(heard, pass.notices);
        EXPECT_NEAR(moving->GetFloat(kFadrLevel), pass.movingLevel, 4e-6);
        EXPECT_NEAR(clipped->GetFloat(kFadrInput), pass.clippedInput, 2e-6);
        EXPECT_EQ(clipped->GetFloat(kFadrLevel), 1.0f);
        EXPECT_EQ(std::make_pair(quiet->GetFloat(kFadrInput), quiet->GetFloat(kFadrLevel)), std::make_pair(0.0f, 0.0f));
    }
    document.RemoveObserver(&heard, listen);
}

// Field edits reach the next pass: the sine is on channel 1; silent channel 0, missing channel
// 7, a zero rate and a band moved off the sine give 0.
TEST_F(FaderEngineFixture, BandFadersFollowEditsAndSkipMissingChannelsAndAZeroRate)
{
    Engine();
    LObject* fader = AddBandFader(0, 1);
    AnalyseSamples(analyser, 1, SineOnBin(64, 256, 0.25f, 1024));
    const struct {
        uint8_t channel;
        float low;
        uint32_t rate;
        float input;
    } steps[] = {{0, 240, 1024, 0.0f}, {7, 240, 1024, 0.0f}, {1, 240, 1024, 0.25f}, {1, 240, 0, 0.0f},
                 {1, 600, 1024, 0.0f}};
    for (const auto& step : steps) {
        SetByte(fader, kFadrSchn, step.channel);
        SetFloat(fader, kFadrFrql, step.low);
        engine->ApplySpectrum(step.rate, analyser);
        EXPECT_NEAR(fader->GetFloat(kFadrInput), step.input, 1e-6) << int(step.channel) << " " << step.low;
    }
    EXPECT_EQ(Slot(1), 0);
}

TEST_F(FaderEngineFixture, DmxSlotsOfOneAndTwoChannelFaders)
{
    Engine();
    LObject* one = AddFader(kFaderDmx);
    SetParam(one, "dch", "1");
    Feed(0, 1.0f);
    EXPECT_EQ(Slot(1), 255);
    Feed(0, 0.5f);
    EXPECT_EQ(Slot(1), 127);
    LObject* two = AddFader(kFaderDmx2, 4, 1);
    SetParam(two, "dch", "10");
    Feed(1, 0.5f);
    EXPECT_EQ(Slot(10), 127);
    EXPECT_EQ(Slot(11), 255);
    SetParam(two, "dch", "512");  // the old slots are cleared, then only slot 512 is written
    EXPECT_EQ(Slot(10), 0);
    EXPECT_EQ(Slot(11), 0);
    dmx.SetChannel(511, 9);
    Feed(1, 1.0f);
    EXPECT_EQ(Slot(512), 255);
    EXPECT_EQ(Slot(511), 9);
    document.RemoveAllFaders();
    EXPECT_EQ(Slot(1), 0);
    EXPECT_EQ(Slot(512), 0);
}

TEST_F(FaderEngineFixture, TimeDomainGainsOffsetsAndCutDc)
{
    ASSERT_TRUE(analyser.Setup(5, 8, 13));
    Engine();
    CSourceType row;
    for (CSourceChanInfo& chan : row.chan) {
        chan.faderOffset = 0.5f;
        chan.faderSpan = 2.0f;
    }
    LObject* low = AddFader(kFaderDmx, 4, 0);
    SetParam(low, "dch", "1");
    LObject* high = AddFader(kFaderDmx, 4, 4);
    SetParam(high, "dch", "2");
    {
        LAsyncQueueLock lock(queue);
        analyser.Channel(0)->Push(0.5f);
        analyser.Channel(4)->Push(0.5f);
        engine->ApplySamples(analyser, &row);
    }
    EXPECT_EQ(Slot(1), 191);  // 0.5 / 2 + 0.5
    EXPECT_EQ(Slot(2), 127);  // channels from 4 on take no gain
    // Cut DC: the channel's DC magnitude from the last analysis comes off, centred at 0.5.
    SetByte(Common(), kComnCtdc, 1);
    AnalyseSamples(analyser, 0, std::vector<float>(512, 0.3f));
    engine->ApplySpectrum(1024, analyser);
    Feed(0, 0.3f, &row);
    EXPECT_EQ(Slot(1), 127);
    Feed(0, std::numeric_limits<float>::quiet_NaN(), &row);
    EXPECT_EQ(Slot(1), 0);
    Feed(0, std::numeric_limits<float>::infinity(), &row);
    EXPECT_EQ(Slot(1), 255);
}

TEST_F(FaderEngineFixture, DmxConsoleValuesReachTheFrameOnlyFromTheDriver)
{
    const uint8_t stored[3] = {11, 22, 33};
    LObject::SetArray(document.Root(), nullptr, kFdrsDmst, stored, 3);
    Engine();
    const uint8_t changed = 44;
    LObject::SetArrayElement(document.Root(), nullptr, kFdrsDmst, 1, &changed, LObject::Merge::No);
    EXPECT_EQ(Slot(2), 0);  // not the driver yet
    engine->TakeDmxOutput();
    EXPECT_TRUE(engine->DrivesDmxOutput());
    EXPECT_EQ(Slot(1), 11);
    EXPECT_EQ(Slot(2), 44);
    EXPECT_EQ(Slot(3), 33);
    // A whole new array (a document load) is written out entirely.
    const uint8_t loaded[2] = {5, 6};
    LObject::SetArray(document.Root(), nullptr, kFdrsDmst, loaded, 2);
    EXPECT_EQ(Slot(1), 5);
    EXPECT_EQ(Slot(2), 6);
    EXPECT_EQ(Slot(3), 0);
    // Another document's engine takes over; the first one's end leaves it driving.
    CFaderSetRecord other;
    {
        CFaderEngine second(queue, &dmx, other);
        second.TakeDmxOutput();
        EXPECT_FALSE(engine->DrivesDmxOutput());
        engine.reset();
        EXPECT_TRUE(second.DrivesDmxOutput());
    }
    EXPECT_EQ(dmx.Driver(), nullptr);
}

TEST_F(FaderEngineFixture, SoundRateVolumeAndLoop)
{
    const std::string documents = std::getenv("XDG_DOCUMENTS_DIR");
    std::ofstream(documents + "/tone.wav") << "RIFF";
    Engine();
    LObject* snd = AddFader(kFaderSound, 4, 0);
    SetParam(snd, "snd", "tone.wav");
    SetParam(snd, "sndurl", "tone.wav");
    SetParam(snd, "svl", "0.8");
    ASSERT_EQ(sounds.size(), 1u);
    FaderTestSound& player = *sounds[0];
    EXPECT_EQ(player.file, documents + "/tone.wav");
    EXPECT_FLOAT_EQ(player.volume, 0.8f);
    FireTimers();
    EXPECT_TRUE(player.playing);
    EXPECT_TRUE(player.loop);
    Feed(0, 0.25f);
    EXPECT_FLOAT_EQ(player.rate, 0.5f);
    // A volume fader below it scales the volume; removing it restores the full scale.
    AddFader(kFaderSoundVol, 4, 1);
    Feed(1, 0.5f);
    EXPECT_FLOAT_EQ(player.volume, 0.4f);
    document.Root();
    LObject::DeleteChildAt(document.Root(), nullptr, kFdrsFdrs, 1);
    EXPECT_FLOAT_EQ(player.volume, 0.8f);
    // A parameter edit keeps the sound playing; removing the fader stops it.
    SetParam(snd, "svl", "0.5");
    EXPECT_TRUE(player.playing);
    document.RemoveAllFaders();
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(FaderEngineFixture, VolumeFaderWithoutASoundAboveDoesNothing)
{
    Engine();
    AddFader(kFaderSoundVol, 4, 0);
    LObject* snd = AddFader(kFaderSound, 4, 1);
    SetParam(snd, "svl", "0.8");
    Feed(0, 0.1f);
    EXPECT_FLOAT_EQ(sounds[1]->volume, 0.8f);
    EXPECT_TRUE(sounds[1]->file.empty());
}

TEST_F(FaderEngineFixture, WithoutAMakerEverySoundIsASoundPlayer)
{
    CFaderEngine own(queue, &dmx, document);
    LObject* snd = AddFader(kFaderSound, 4, 0);
    SetParam(snd, "snd", "missing.wav");
    ASSERT_EQ(own.FaderCount(), 1u);
    const auto* player = dynamic_cast<const CFaderSoundPlayer*>(own.Fader(0)->player.get());
    ASSERT_NE(player, nullptr);
    FireTimers();
    EXPECT_TRUE(player->Player().Loop());
    {
        LAsyncQueueLock lock(queue);
        analyser.Channel(0)->Push(0.75f);
        own.ApplySamples(analyser, nullptr);
    }
    EXPECT_FLOAT_EQ(player->Player().Rate(), 1.5f);
    document.RemoveAllFaders();
    EXPECT_EQ(own.FaderCount(), 0u);
}

TEST_F(FaderEngineFixture, EntriesFollowInsertMoveAndRemove)
{
    Engine();
    LObject* a = AddFader(kFaderDmx);
    LObject* b = AddFader(kFaderDmx);
    LObject* c = AddFader(kFaderDmx);
    LObject::MoveChild(document.Root(), nullptr, kFdrsFdrs, 2, 0);
    ASSERT_EQ(engine->FaderCount(), 3u);
    EXPECT_EQ(engine->Fader(0)->record, c);
    EXPECT_EQ(engine->Fader(1)->record, a);
    EXPECT_EQ(engine->Fader(2)->record, b);
    LObject::DeleteChildAt(document.Root(), nullptr, kFdrsFdrs, 1);
    EXPECT_EQ(engine->Fader(1)->record, b);
    EXPECT_EQ(engine->Fader(2), nullptr);
}

TEST_F(FaderEngineFixture, OscFadersTakeTurnsOverRealUdp)
{
    OscDecoder decoder(3);
    ASSERT_NE(decoder.Port(), 0);
    ASSERT_NE(Engine().OscLocalPort(), 0u);
    const std::string portText = std::to_string(decoder.Port());
    LObject* first = AddFader(kFaderOsc, 4, 0);
    SetParam(first, "opt", portText.c_str());
    SetParam(first, "oad", "/a");
    LObject* second = AddFader(kFaderOsc, 4, 1);
    SetParam(second, "opt", portText.c_str());
    SetParam(second, "oad", "/fader/b");
    Feed(0, 0.25f);
    Feed(1, 0.75f);
    engine->ApplySpectrum(1024, analyser);  // the first fader
    engine->ApplySpectrum(1024, analyser);  // the second
    engine->ApplySpectrum(1024, analyser);  // nothing pending
    Feed(0, 0.5f);
    Feed(1, 0.75f);  // unchanged: stays sent
    engine->ApplySpectrum(1024, analyser);
    engine->ApplySpectrum(1024, analyser);
    EXPECT_EQ(decoder.Finish(),
              (std::vector<std::string>{"12 /a ,f 0.25", "20 /fader/b ,f 0.75", "12 /a ,f 0.5"}));
}

TEST_F(FaderEngineFixture, AnOscFadersUnchangedLevelGoesToAPortOrAddressJustTyped)
{
    OscDecoder first(2);
    OscDecoder second(1);
    ASSERT_NE(first.Port(), 0);
    ASSERT_NE(second.Port(), 0);
    ASSERT_NE(Engine().OscLocalPort(), 0u);
    LObject* fader = AddFader(kFaderOsc, 4, 0);
    SetParam(fader, "opt", std::to_string(first.Port()).c_str());
    SetParam(fader, "oad", "/a");
    const struct {
        const char* param;
        std::string value;
    } edits[] = {{nullptr, ""}, {"oad", "/typed/b"}, {"opt", std::to_string(second.Port())}, {nullptr, ""}};
    for (const auto& edit : edits) {
        if (edit.param)
            SetParam(fader, edit.param, edit.value.c_str());
        Feed(0, 0.25f); // the same level every time
        engine->ApplySpectrum(1024, analyser);
    }
    EXPECT_EQ(first.Finish(), (std::vector<std::string>{"12 /a ,f 0.25", "20 /typed/b ,f 0.25"}));
    EXPECT_EQ(second.Finish(), (std::vector<std::string>{"20 /typed/b ,f 0.25"}));
}

TEST_F(FaderEngineFixture, SampleThreadAndMainThreadShareTheFaderList)
{
    Engine();
    std::atomic<bool> stop{false};
    std::thread pull([&] {
        for (int i = 0; !stop.load() && i < 200000; ++i) {
            LAsyncQueueLock lock(queue);
            analyser.Channel(0)->Push(float(i % 100) / 100.0f);
            engine->ApplySamples(analyser, nullptr);
        }
    });
    for (int round = 0; round < 200; ++round) {
        LObject* fader = AddFader(round % 2 ? kFaderDmx : kFaderMidiNote, 4, 0);
        SetParam(fader, "dch", "3");
        AddBandFader(uint8_t(round % 4), 5);
        engine->ApplySpectrum(1024, analyser);
        if (round % 3 == 0)
            document.RemoveAllFaders();
    }
    stop.store(true);
    pull.join();
    document.RemoveAllFaders();
    EXPECT_EQ(engine->FaderCount(), 0u);
}

namespace {

// Allocations made on this thread while counting: the steady-state pass must make none.
thread_local bool gCountAllocations = false;
thread_local int gAllocations = 0;

} // namespace

// Every plain form is replaced together, so that what one form allocates another may free.
// GCC pairs each inlined free() with the operator new it sees and warns; the pairing here is
// malloc/free throughout.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (gCountAllocations)
        ++gAllocations;
    return std::malloc(size ? size : 1);
}

void* operator new(std::size_t size)
{
    if (void* p = operator new(size, std::nothrow))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return operator new(size, std::nothrow); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST_F(FaderEngineFixture, SteadyStatePassAllocatesNothing)
{
    Engine();
    for (uint8_t i = 0; i < 8; ++i)
        AddBandFader(uint8_t(i % 4), uint16_t(1 + i));
    AnalyseSamples(analyser, 0, SineOnBin(64, 256, 0.25f, 1024));
    engine->ApplySpectrum(1024, analyser); // the first pass sizes what passes keep
    AnalyseSamples(analyser, 0, SineOnBin(32, 256, 0.5f, 1024));
    gAllocations = 0;
    gCountAllocations = true;
    engine->ApplySpectrum(1024, analyser);
    gCountAllocations = false;
    EXPECT_EQ(gAllocations, 0);
}
