#include "analysis/views/CSnxChList.h"
#include "analysis/views/CStatusFrame.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/RoundHalfAway.h"
#include "foundation/core/StrEqual.h"
#include "sources/CSampleSrc.h"
#include "sources/CSourceType.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kFrameValues = 4;
constexpr uint32_t kLevelChannels = 4;

void SetIntField(LObject* record, uint8_t field, int32_t value)
{
    LObject::SetInt(record, nullptr, field, value, LObject::Merge::No);
}

void SetFloatField(LObject* record, uint8_t field, float value)
{
    LObject::SetFloat(record, nullptr, field, value, LObject::Merge::No);
}

// Whether a held value may be replaced: times are wrapping 32-bit milliseconds.
bool HoldExpired(uint32_t now, int32_t then, uint32_t hold)
{
    return now - uint32_t(then) >= hold;
}

// A frequency as a bin index of `binHz`-wide bins, rounded half away from zero and kept within
// 0 .. limit whatever the stored frequency; a frequency that is not a number lies past the end.
uint32_t BinOf(float hz, float binHz, uint32_t limit)
{
    if (std::isnan(hz))
        return limit;
    return RoundToIndex(hz / binHz, limit);
}

} // namespace

void CSpecWindow::ResetLevelExtremes()
{
    std::fill(std::begin(fLevelMin), std::end(fLevelMin), 1.0f);
    std::fill(std::begin(fLevelMax), std::end(fLevelMax), -1.0f);
}

void CSpecWindow::PushFrame(const float frame[], int32_t n)
{
    fAnalyser.Commit();
    for (uint32_t c = 0; c < fAnalyser.ChannelCount(); ++c) {
        const float x = int32_t(c) < n ? frame[c] : 0.0f;
        fAnalyser.channels[c]->Push(x);
        if (c < kLevelChannels) {
            if (fLevelMin[c] >= x)
                fLevelMin[c] = x;
            if (x >= fLevelMax[c])
                fLevelMax[c] = x;
        }
    }
}

void CSpecWindow::OnSourceData()
{
    if (!fCurrent)
        return;
    const bool serving = fServer.ClientCount() > 0 && fServer.HasFormat();
    uint32_t frames = 0;
    bool endedOnText = false;
    float frame[kFrameValues];
    for (;;) {
        const int32_t n = fCurrent->Read(frame, kFrameValues);
        if (n == 0)
            break;
        if (n < 0) {
            const LStringRef text = fCurrent->TakeText();
            fAnalyser.Append(text.View());
            if (text.IsEmpty()) {
                endedOnText = true;
                break;
            }
            continue;
        }
        PushFrame(frame, n);
        ++frames;
        if (serving)
            fServer.BroadcastSample(uint32_t(std::min<int32_t>(n, kFrameValues)), frame);
    }
    if (serving)
        fServer.Flush();
    if (frames > 0) {
        fEngine->ApplySamples(fAnalyser, fSourceType);
        fNote.Post();
    } else if (endedOnText) {
        fNote.Post();
    }
}

void CSpecWindow::Analyse()
{
    {
        LAsyncQueueLock lock(fQueue);
        for (auto& chan : fAnalyser.channels)
            (void)chan->LoadFFTInput(fPlan.windowTable, fPlan.fft);
    }
    const bool decibel = ByteOf(Common(), kComnDb) != 0;
    for (auto& chan : fAnalyser.channels) {
        if (!fPlan.fft.Transform(chan->fftBuffer, CFFT::Direction::Forward))
            continue;
        chan->Power(fPlan.windowGain);
        chan->Magnitude();
        if (decibel)
            chan->Decibel();
    }
    fEngine->ApplySpectrum(fSampleRate, fAnalyser);
    if (fWindowRecord && fWindowRecord->GetByte(kWindPkdt))
        PeakPass();
}

void CSpecWindow::PeakPass()
{
    LAsyncQueueLock lock(fQueue);
    const LObject* w = fWindowRecord;
    const uint32_t hold = TruncToCount(w->GetFloat(kWindPkht) * 1000.0f, INT32_MAX);
    const uint32_t now = LTicks::Now();
    const LObject* root = fDocument.Root();
    const uint32_t records = root ? root->GetArrayCount(kFdrsChns) : 0;
    const bool cutDc = ByteOf(Common(), kComnCtdc) != 0;
    const float rate = w->GetFloat(kWindRate);
    for (uint32_t c = 0; c < records && c < fAnalyser.ChannelCount(); ++c) {
        LObject* chanRecord = root->GetChild(kFdrsChns, c);
        const CSpectrumChan& chan = *fAnalyser.channels[c];
        const uint32_t nb = uint32_t(chan.magnitude.size());
        if (!chanRecord || nb == 0)
            continue;
        // A rate of 0 or less would make every bin infinitely narrow: search nothing then.
        const float binHz = rate > 0.0f ? rate / (2.0f * float(nb)) : 0.0f;
        const uint32_t lo = binHz > 0.0f ? BinOf(w->GetFloat(kWindPkfl), binHz, nb) : nb;
        const uint32_t hi = binHz > 0.0f ? std::min(BinOf(w->GetFloat(kWindPkfh), binHz, nb) + 1, nb) : 0;
        float peak = 0.0f;
        uint32_t pos = lo;
        for (uint32_t k = lo; k < hi; ++k)
            if (chan.magnitude[k] > peak) {
                peak = chan.magnitude[k];
                pos = k;
            }
        const bool held = chanRecord->GetFloat(kChanPeakLevel) > peak &&
                          !HoldExpired(now, chanRecord->GetInt(kChanPeakTime), hold);
        if (!held) {
            SetFloatField(chanRecord, kChanPeakLevel, peak);
            SetFloatField(chanRecord, kChanPeakPos, float(pos) / float(nb));
            SetIntField(chanRecord, kChanPeakTime, int32_t(now));
        }
        if (c >= kLevelChannels || fLevelMax[c] < fLevelMin[c])
            continue;
        const float dc = cutDc && !chan.magnitude.empty() ? chan.magnitude[0] : 0.0f;
        const float off = cutDc ? 0.5f : fSourceType->chan[c].faderOffset;
        const float k = 1.0f / fSourceType->chan[c].faderSpan;
        const float top = (fLevelMax[c] - dc) * k + off;
        if (!(chanRecord->GetFloat(kChanMaxLevel) > top && !HoldExpired(now, chanRecord->GetInt(kChanMaxTime), hold))) {
            SetFloatField(chanRecord, kChanMaxLevel, top);
            SetIntField(chanRecord, kChanMaxTime, int32_t(now));
        }
        const float bottom = (fLevelMin[c] - dc) * k + off;
        if (bottom <= chanRecord->GetFloat(kChanMinLevel) || HoldExpired(now, chanRecord->GetInt(kChanMinTime), hold)) {
            SetFloatField(chanRecord, kChanMinLevel, bottom);
            SetIntField(chanRecord, kChanMinTime, int32_t(now));
        }
    }
    ResetLevelExtremes();
}

void CSpecWindow::PushSourceFormat(CSampleSrc& source, uint32_t overflow)
{
    const std::string name(source.TypeName().View());
    fServer.SetFormat(name.c_str());
    fServer.SetRate(source.SampleRate());
    fServer.SetFcRatio(source.FcRatio());
    fServer.AddOverflow(overflow);
}

void CSpecWindow::UpdateStatus()
{
    if (fCurrent) {
        const uint32_t rate = fCurrent->SampleRate();
        const float ratio = fCurrent->FcRatio();
        const LStringRef name = fCurrent->TypeName();
        const uint32_t overflow = fCurrent->TakeOverflowCount();
        PushSourceFormat(*fCurrent, overflow);
        if (rate != fSampleRate) {
            fSampleRate = rate;
            LAsyncQueueLock lock(fQueue);
            for (auto& chan : fAnalyser.channels)
                chan->Fill(0.0f);
        }
        if (name.View() != fSourceTypeName.View()) {
            fSourceTypeName = name;
            fSourceType = FindSourceType(std::string(name.View()).c_str());
            fChList->SetSourceType(fSourceType);
            SetLevelRecord(fDocument.Root(), fSourceType->scale);
        }
        fStatus->SetValue(fCurrent->Baseline());
        fStatus->SetCounts(rate, ratio);
        if (overflow > 0)
            fStatus->ShowMessage();
    } else {
        fStatus->SetCounts(fSampleRate, FloatOf(Common(), kComnFcrt));
    }
    SetFloatField(fWindowRecord, kWindRate, float(fSampleRate));
}

void CSpecWindow::RebuildFFT()
{
    const LObject* common = Common();
    // The plan follows the document's order and window; the analyser's channels follow the
    // same notice on their own, under the queue's lock.
    (void)fPlan.SetupFromSettings(ByteOf(common, kComnFtsx), ByteOf(common, kComnWnfc));
}

void CSpecWindow::SetCurrentSource(CSampleSrc* source)
{
    LAsyncQueueLock lock(fQueue);
    fCurrent = source;
}

bool CSpecWindow::HandleRoadMessage(const LMessage& msg)
{
    if (StrEqual(msg.type, CSampleSrc::msgData)) {
        if (!fCurrent || msg.subject != fCurrent)
            return false;
        OnSourceData();
        return true;
    }
    if (StrEqual(msg.type, LAsyncEvent::msgNote) && msg.subject == &fNote) {
        UpdateStatus();
        UpdatePlaybackPosition();
        CheckRecording();
        fNewData = true;
        fChList->RequestRender();
        if (fCurrent) {
            LAsyncQueueLock lock(fQueue);
            OnSourceData();
        }
        return true;
    }
    if (StrEqual(msg.type, CSnxChList::msgRender) && msg.subject == fChList.get()) {
        if (!fNewData)
            return true;
        fNewData = false;
        Analyse();
        fChList->TakeTrailSlice();
        return true;
    }
    if (StrEqual(msg.type, LTimer::msgExpire) && msg.subject == &fBaselineTimer) {
        if (fLive)
            fLive->SendBaseline();
        fBaselineTimer.Start(kBaselineMs);
        return true;
    }
    return false;
}
