// The two passes that feed faders (spectra and newest samples) and the display-and-OSC pass
// that ends every analysis.
#include "outputs/faders/CFaderEngine.h"

#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"
#include "outputs/faders/FaderLevel.h"
#include "sources/CSourceType.h"
#include "sources/ports/CUDPPort.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// The largest payload one UDP datagram carries over IPv4.
constexpr uint64_t kMaxDatagram = 65507;
// OSC messages go to this machine: 127.0.0.1.
constexpr uint32_t kLoopback = 0x7F000001;

float NewestSample(const CSpectrumChan& chan)
{
    return chan.ring.empty() ? 0.0f : chan.ring[(chan.writeIndex - 1) & chan.mask];
}

} // namespace

bool CFaderEngine::DecibelMode() const
{
    const LObject* common = document.Common();
    return common && common->GetByte(kComnDb) != 0;
}

float CFaderEngine::PowerToLevel(float x) const
{
    return ::PowerToLevel(x, DecibelMode());
}

void CFaderEngine::ApplySpectrum(uint32_t rate, const CSpectrumAnalyser& buffers)
{
    BandPass pass;
    pass.rate = rate;
    pass.factor = document.Root()->GetFloat(kFdrsFactor);
    pass.decibels = DecibelMode();
    const LObject* common = document.Common();
    pass.peakScale.logFrequency = common && common->GetByte(kComnFqlg) != 0;
    pass.peakScale.fftOrder = common ? common->GetByte(kComnFtsx) : 8;
    {
        LAsyncQueueLock lock(queue);
        PublishDcLevels(buffers);
        for (auto& fader : faders)
            if (fader->sourceType <= 3)
                ApplyBandFader(*fader, buffers, pass);
    }
    DisplayAndOscPass();
}

void CFaderEngine::PublishDcLevels(const CSpectrumAnalyser& buffers)
{
    dcLevels.assign(buffers.ChannelCount(), 0.0f);
    for (uint32_t c = 0; c < buffers.ChannelCount(); ++c) {
        const CSpectrumChan* chan = buffers.Channel(c);
        if (chan && !chan->magnitude.empty() && std::isfinite(chan->magnitude[0]))
            dcLevels[c] = chan->magnitude[0];
    }
}

void CFaderEngine::ApplyBandFader(CFaderOut& fader, const CSpectrumAnalyser& buffers, const BandPass& pass)
{
    const CSpectrumChan* chan = buffers.Channel(fader.sourceChannel);
    if (!chan)
        return;
    const auto binCount = uint32_t(chan->magnitude.size());
    const CBandBins bins = BandBins(pass.factor, fader.lowHz, fader.highHz, chan->FFTSize(), pass.rate, binCount);
    const auto measure = static_cast<CBandMeasure>(fader.sourceType);
    SendOutput(fader, BandLevel(chan->magnitude, bins, measure, pass.decibels, pass.peakScale));
}

void CFaderEngine::ApplySamples(const CSpectrumAnalyser& buffers, const CSourceType* row)
{
    LAsyncQueueLock lock(queue);
    for (auto& fader : faders) {
        const uint32_t c = fader->sourceChannel;
        const CSpectrumChan* chan = fader->sourceType == 4 ? buffers.Channel(c) : nullptr;
        if (!chan)
            continue;
        float s = NewestSample(*chan);
        float gain = 1.0f;
        float offset = 0.0f;
        if (c < 4 && row) {
            gain = 1.0f / row->chan[c].faderSpan;
            offset = row->chan[c].faderOffset;
        }
        if (cutDC) {
            s -= c < dcLevels.size() ? dcLevels[c] : 0.0f;
            offset = 0.5f;
        }
        const float value = s * gain + offset;
        SendOutput(*fader, std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f));
    }
}

void CFaderEngine::DisplayAndOscPass()
{
    PublishLiveValues();
    SendNextOsc();
}

void CFaderEngine::PublishLiveValues()
{
    // Only the pass uses the copy, and passes run one at a time on the main thread.
    std::vector<std::pair<float, float>>& values = liveValues;
    {
        LAsyncQueueLock lock(queue);
        values.clear();
        for (const auto& fader : faders)
            values.emplace_back(fader->inputValue, fader->level);
    }
    // The records are written outside the lock: their observers may take other locks. Both
    // live fields of a fader are stored first and then reported in one notice, the level's,
    // or the input's when only the input moved: whoever listens reads both from the record.
    // Neither is undoable, so nothing else of a recorded edit is needed.
    LObject* root = document.Root();
    if (!root)
        return;
    LObjRoot* holder = root->GetRootHolder();
    const LFieldDesc* listDesc = root->FieldDesc(kFdrsFdrs);
    const LArray* list = listDesc && listDesc->type == LFieldType::List ? root->GetFieldSlot(kFdrsFdrs).List() : nullptr;
    if (!list)
        return;
    const size_t count = std::min<size_t>(values.size(), list->Count());
    auto* const* records = static_cast<LObject* const*>(list->Data());
    const LClassDesc* checked = nullptr; // the class whose two live fields were found to be floats
    for (size_t i = 0; i < count; ++i) {
        LObject* record = records[i];
        if (record->Class() != checked) {
            if (!HasFloatField(record, kFadrInput) || !HasFloatField(record, kFadrLevel))
                continue;
            checked = record->Class();
        }
        const bool inputMoved = StoreLiveValue(record, kFadrInput, values[i].first);
        const bool levelMoved = StoreLiveValue(record, kFadrLevel, values[i].second);
        if (inputMoved || levelMoved)
            LObject::ReportChange(record, nullptr, holder, LObjOp::Changed, levelMoved ? kFadrLevel : kFadrInput, 0,
                                  int32_t(i));
    }
}

bool CFaderEngine::HasFloatField(const LObject* record, uint8_t field)
{
    const LFieldDesc* desc = record->FieldDesc(field);
    return desc && desc->type == LFieldType::Float;
}

bool CFaderEngine::StoreLiveValue(LObject* record, uint8_t field, float value)
{
    LFieldSlot& slot = record->GetFieldSlot(field);
    if (slot.Float() == value)
        return false;  // NaN never equals itself: it is always a change, as for any float field
    slot.SetBits(std::bit_cast<uint32_t>(value));
    return true;
}

void CFaderEngine::SendNextOsc()
{
    if (!udpPort->CanSend())
        return;  // the pending values wait for a later pass
    LAsyncQueueLock lock(queue);
    size_t i = oscNext;
    while (i < faders.size() && !(faders[i]->oscPending && !faders[i]->oscAddress.empty()))
        ++i;
    if (i >= faders.size()) {
        oscNext = 0;
        return;
    }
    CFaderOut& fader = *faders[i];
    fader.oscPending = 0;
    oscNext = i + 1 < faders.size() ? uint32_t(i + 1) : 0;
    uint64_t length = 0;
    {
        CMemStream stream(oscBuffer);
        WriteOscFloatMessage(stream, fader.oscAddress, fader.oscValue);
        length = stream.Length();
    }
    if (fader.oscPort != 0 && length <= kMaxDatagram && length <= oscBuffer.Size())
        udpPort->SendTo(CIPAddress(kLoopback, uint16_t(fader.oscPort)), oscBuffer.Data(), uint32_t(length));
}
