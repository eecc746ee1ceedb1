// What each fader's output does with a value, how outputs are read from the fader's
// parameters and stopped, and the console values the driving engine relays.
#include "outputs/faders/CFaderEngine.h"

#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/text/NumberParse.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/CParamTable.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/FaderLevel.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "outputs/faders/FaderSoundFile.h"

#include <algorithm>
#include <cmath>

namespace {

// An integer parameter: the decimal number truncated toward zero, kept within 0 .. max.
uint32_t ParamUInt(const std::string& text, uint32_t max)
{
    const double v = StrToDouble(text.c_str());
    if (!(v > 0.0))
        return 0;
    return v >= double(max) ? max : uint32_t(v);
}

float ParamFloat(const std::string& text)
{
    const double v = StrToDouble(text.c_str());
    return std::isfinite(v) ? float(v) : 0.0f;
}

// A MIDI data byte from a value 0..1 scaled by `full`, rounded, kept within 0 .. full.
int32_t ScaledData(float y, int32_t full)
{
    return std::clamp(FaderRound(y * float(full)), 0, full);
}

uint8_t Status(uint8_t kind, uint8_t channel)
{
    return uint8_t(kind | (channel & 0x0F));
}

// The value a controller returns to when its fader goes away.
uint8_t ControllerReset(uint8_t controller)
{
    switch (controller) {
    case 7: return 100;
    case 10: return 64;
    case 11: case 98: case 99: case 100: case 101: return 127;
    default: return 0;
    }
}

} // namespace

float CFaderEngine::MapLevel(const CFaderOut& fader)
{
    const LObject* r = fader.record;
    const CFaderRanges ranges{r->GetFloat(kFadrAmpl), r->GetFloat(kFadrAmph), r->GetFloat(kFadrFdrl),
                              r->GetFloat(kFadrFdrh)};
    return MapFaderRange(ranges, fader.inputValue);
}

void CFaderEngine::ReadPassFields(CFaderOut& fader)
{
    const LObject* r = fader.record;
    fader.ranges = {r->GetFloat(kFadrAmpl), r->GetFloat(kFadrAmph), r->GetFloat(kFadrFdrl), r->GetFloat(kFadrFdrh)};
    fader.sourceType = r->GetByte(kFadrStyp);
    fader.sourceChannel = r->GetByte(kFadrSchn);
    fader.lowHz = r->GetFloat(kFadrFrql);
    fader.highHz = r->GetFloat(kFadrFrqh);
}

std::string CFaderEngine::Param(const CFaderOut& fader, uint32_t kind, const char* name) const
{
    LStringRef value;
    if (CParamSet::Find(fader.record->GetChild(kFadrCprm), name, &value) >= 0)
        return std::string(value.View());
    const std::string* fallback = FindFaderDefault(defaults, kind, name);
    return fallback ? *fallback : std::string();
}

void CFaderEngine::ReadFaderOutput(CFaderOut& fader)
{
    LAsyncQueueLock lock(queue);
    const uint32_t kind = fader.record->GetByte(kFadrFtyp);
    fader.kind = kind;
    switch (kind) {
    case kFaderDmx:
    case kFaderDmx2:
        fader.dmxChannel = uint16_t(ParamUInt(Param(fader, kind, "dch"), 0xFFFF));
        break;
    case kFaderSound:
        ReadSound(fader);
        break;
    case kFaderMidiCtrl: case kFaderMidiBend: case kFaderMidiNote: case kFaderMidiTrig:
        // Kept within MIDI's ranges, so that no value turns a message into another one.
        fader.midiChannel = uint8_t(ParamUInt(Param(fader, kind, "mch"), 15));
        fader.controller = uint8_t(ParamUInt(Param(fader, kind, "mct"), 127));
        fader.note = uint8_t(ParamUInt(Param(fader, kind, "mnt"), 127));
        fader.velocity = uint8_t(ParamUInt(Param(fader, kind, "mvl"), 127));
        break;
    case kFaderOsc: {
        // A port beyond 16 bits names no port: nothing is sent rather than a wrapped port.
        const uint32_t port = ParamUInt(Param(fader, kind, "opt"), 0xFFFFFFFF);
        fader.oscPort = port <= 0xFFFF ? port : 0;
        fader.oscAddress = Param(fader, kind, "oad");
        // A port or address just set hears the fader's level at once, not only once it changes.
        fader.oscPending = 1;
        break;
    }
    default:
        break;
    }
    soundTimer.Start(0);
}

void CFaderEngine::ReadSound(CFaderOut& fader)
{
    const std::string file = FindFaderSound(Param(fader, kFaderSound, "snd"), Param(fader, kFaderSound, "sndurl"));
    if (file != fader.soundFile) {
        fader.soundFile = file;
        if (fader.player) {
            (void)fader.player->Load(file);
            fader.player->SetVolume(fader.soundScale * fader.volumeFactor);
        }
    }
    fader.soundScale = ParamFloat(Param(fader, kFaderSound, "svl"));
    if (fader.player)
        fader.player->SetVolume(fader.soundScale * fader.volumeFactor);
}

void CFaderEngine::StartSounds()
{
    LAsyncQueueLock lock(queue);
    for (auto& fader : faders) {
        if (fader->kind == kFaderSound && fader->player) {
            fader->player->SetLoop(true);
            fader->player->Play();
        }
    }
}

void CFaderEngine::SendOutput(CFaderOut& fader, float value)
{
    if (!std::isfinite(value))
        value = 0.0f;
    fader.inputValue = value;
    fader.level = MapFaderRange(fader.ranges, value);
    const float y = fader.level;
    switch (fader.kind) {
    case kFaderDmx:
        if (dmxOutput)
            dmxOutput->SetChannel8(fader.dmxChannel, y);
        break;
    case kFaderDmx2:
        if (dmxOutput)
            dmxOutput->SetChannel16(fader.dmxChannel, y);
        break;
    case kFaderSound:
        if (fader.player)
            fader.player->SetRate(2.0f * y);
        break;
    case kFaderSoundVol:
        SetSoundVolume(fader, y);
        break;
    case kFaderOsc:
        if (y != fader.oscValue) {
            fader.oscValue = y;
            fader.oscPending = 1;
        }
        break;
    default:
        SendMidi(fader, value, y);
        break;
    }
}

void CFaderEngine::SendMidi(CFaderOut& fader, float value, float y)
{
    const uint8_t ch = fader.midiChannel;
    const uint8_t r127 = uint8_t(ScaledData(y, 127));
    switch (fader.kind) {
    case kFaderMidiCtrl:
        if (SendShort(Status(0xB0, ch), fader.controller, r127))
            fader.standing = 1;
        break;
    case kFaderMidiBend: {
        const int32_t b = ScaledData(y, 16383);
        if (SendShort(Status(0xE0, ch), uint8_t(b & 127), uint8_t(b >> 7)))
            fader.standing = 1;
        break;
    }
    case kFaderMidiNote:
        if (!links.midiOut || (fader.standing && r127 == fader.lastNote))
            break;
        if (fader.standing)
            SendShort(Status(0x90, ch), fader.lastNote, 0);
        fader.lastNote = r127;
        fader.standing = 1;
        SendShort(Status(0x90, ch), r127, fader.velocity);
        break;
    case kFaderMidiTrig: {
        const LObject* r = fader.record;
        const bool upward = r->GetFloat(kFadrFdrh) >= r->GetFloat(kFadrFdrl);
        const bool on = upward ? value >= r->GetFloat(kFadrAmpl) : r->GetFloat(kFadrAmph) >= value;
        if (on && !fader.standing) {
            const float v = std::clamp(std::trunc(y * 127.0f), 1.0f, 127.0f);
            if (SendShort(Status(0x90, ch), fader.note, uint8_t(v)))
                fader.standing = 1;
        } else if (!on && fader.standing) {
            if (SendShort(Status(0x90, ch), fader.note, 0))
                fader.standing = 0;
        }
        break;
    }
    default:
        break;
    }
}

bool CFaderEngine::SendShort(uint8_t status, uint8_t data1, uint8_t data2)
{
    if (!links.midiOut)
        return false;
    links.midiOut->SendShort(status, data1, data2);
    return true;
}

void CFaderEngine::SetSoundVolume(const CFaderOut& fader, float y)
{
    CFaderOut* target = nullptr;
    for (auto& entry : faders) {
        if (entry.get() == &fader) {
            if (target) {
                target->volumeFactor = y;
                if (target->player)
                    target->player->SetVolume(y * target->soundScale);
            }
            return;
        }
        if (entry->kind == kFaderSound)
            target = entry.get();
    }
}

void CFaderEngine::StopOutput(CFaderOut& fader, bool keepSound)
{
    LAsyncQueueLock lock(queue);
    const uint8_t ch = fader.midiChannel;
    switch (fader.kind) {
    case kFaderDmx:
        if (dmxOutput)
            dmxOutput->SetChannel8(fader.dmxChannel, 0.0f);
        break;
    case kFaderDmx2:
        if (dmxOutput)
            dmxOutput->SetChannel16(fader.dmxChannel, 0.0f);
        break;
    case kFaderSound:
        if (!keepSound && fader.player)
            fader.player->Stop();
        break;
    case kFaderSoundVol:
        SetSoundVolume(fader, 1.0f);
        break;
    case kFaderMidiCtrl:
        if (fader.standing && SendShort(Status(0xB0, ch), fader.controller, ControllerReset(fader.controller)))
            fader.standing = 0;
        break;
    case kFaderMidiBend:
        if (fader.standing && SendShort(Status(0xE0, ch), 0, 64))
            fader.standing = 0;
        break;
    case kFaderMidiNote:
        if (fader.standing && SendShort(Status(0x90, ch), fader.lastNote, 0))
            fader.standing = 0;
        break;
    case kFaderMidiTrig:
        if (fader.standing && SendShort(Status(0x90, ch), fader.note, 0))
            fader.standing = 0;
        break;
    default:
        break;
    }
}

void CFaderEngine::SendConsoleControl(uint32_t channel, const CConsoleControl& control)
{
    int32_t value = control.value;
    LStringRef text;
    if (CParamTable::FindInCell(document.Root()->GetChild(kFdrsMdcs), channel, 0, control.id.c_str(), &text))
        value = StrToLongAuto(text.Text());
    const uint8_t data = uint8_t(std::min(value & 255, 127));
    if (control.controller == CConsoleControl::kProgramChange)
        SendShort(Status(0xC0, uint8_t(channel)), data, 0xFF);
    else
        SendShort(Status(0xB0, uint8_t(channel)), control.controller, data);
}

void CFaderEngine::SendAllConsoleControls()
{
    if (!links.midiOut)
        return;
    for (uint32_t channel = 0; channel < 16; ++channel)
        for (const CConsoleControl& control : consoleControls)
            SendConsoleControl(channel, control);
}

void CFaderEngine::SendDmxConsoleChannel(uint32_t i)
{
    if (!dmxOutput || i >= 512)
        return;
    const LObject* root = document.Root();
    const uint8_t value = i < root->GetArrayCount(kFdrsDmst) ? uint8_t(root->GetArrayInt(kFdrsDmst, i)) : 0;
    dmxOutput->SetChannel(i + 1, value);
}

void CFaderEngine::SendDmxConsole()
{
    for (uint32_t i = 0; i < 512; ++i)
        SendDmxConsoleChannel(i);
}
