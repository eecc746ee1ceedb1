#include "analysis/views/CSnxChList.h"
#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/RoundHalfAway.h"
#include "foundation/text/FileNameText.h"
#include "platform/files/DataFork.h"
#include "shell/files/FileUrls.h"
#include "sources/CSourcePosition.h"
#include "sources/audio/CSoundFileSrc.h"
#include "sources/text/CTextFileSrc.h"
#include "sources/text/RecordFileHeader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int32_t kMakeFailed = 4;
constexpr float kFarEnd = 3.4028235e38f;
constexpr uint32_t kFrameValues = 4;

// One line says why a recording cannot be played: what the file is, or that its content is not
// a recording.
void ReportUnplayable(const std::string& path, std::string reason)
{
    if (reason.empty()) {
        plat::DataFork probe;
        const plat::FileResult opened = probe.Open(path, plat::ForkAccess::Read);
        reason = opened != plat::FileResult::Ok ? plat::FileResultText(opened)
                                                : "it is not a recording this program can play";
    }
    std::fprintf(stderr, "sonalyx: cannot play the recording %s: %s\n", path.c_str(), reason.c_str());
}

} // namespace

void CSpecWindow::SetSourceKind(uint8_t kind)
{
    LObject::SetByte(ViewPrefs(), nullptr, kWndsLsrc, kind, LObject::Merge::No);
    fSourceKind = kind;
}

void CSpecWindow::ApplyRateToSource()
{
    if (!fLive)
        return;
    fLive->SetRate(TruncToCount(FloatOf(Common(), kComnSrat)));
    fLive->SetFcRatio(FloatOf(Common(), kComnFcrt));
    CSourceControls::Enable(fControls->RecordButton(), true);
    CSourceControls::Enable(fControls->LiveButton(), true);
}

int32_t CSpecWindow::MakePlaybackSource()
{
    const std::string path(PosixPathFromUrl(fRecordLocation.GetPath().View()).View());
    const LStringRef name = FileNameOfPath(fRecordLocation.GetPath());
    const bool text = FileExtensionLower(name.Text()).View() == "tks";
    std::unique_ptr<CSampleSrc> source;
    if (text)
        source = std::make_unique<CTextFileSrc>(this, &fQueue);
    else
        source = std::make_unique<CSoundFileSrc>(this, &fQueue);
    // The recording in use stays until the new one is open: a file that cannot be played
    // takes nothing away.
    const std::string problem = text && !path.empty() ? RecordFileProblem(path) : std::string();
    if (path.empty() || !problem.empty() || source->Open(path.c_str()) != 0) {
        source->Close();
        if (!path.empty())
            ReportUnplayable(path, problem);
        return kMakeFailed;
    }
    ClosePlaybackSource();
    fPlayback = std::move(source);
    CSourceControls::Enable(fControls->PlayButton(), true);
    CSourceControls::Enable(fControls->Slider(), true);
    fPlaybackName = name;
    NameShownSource();
    SetSourceKind(kPlaybackSource);
    return 0;
}

void CSpecWindow::UsePlaybackSource()
{
    if (!fPlayback)
        return;
    fPlayback->SetActive(true);
    SetCurrentSource(fPlayback.get());
    PushSourceFormat(*fPlayback, 0);
    CSourceControls::SetButton(fControls->LiveButton(), false);
    NameShownSource();
}

void CSpecWindow::UseLiveSource()
{
    if (!fLive)
        return;
    SetCurrentSource(fLive.get());
    PushSourceFormat(*fLive, 0);
    CSourceControls::SetButton(fControls->LiveButton(), true);
    if (fPlayback) {
        fPlayback->SetActive(false);
        fPlayback->SeekSeconds(false, kFarEnd);
        CSourceControls::SetButton(fControls->PlayButton(), fPlayback->IsPlaying());
    }
    NameShownSource();
}

void CSpecWindow::NameShownSource()
{
    if (fLive && fCurrent == fLive.get() && !fLive->IsRecording())
        fControls->FileCaption().SetText(LiveSourceName());
    else if (fPlayback)
        fControls->FileCaption().SetText(fPlaybackName);
}

void CSpecWindow::SetLiveSource(std::unique_ptr<CSampleSrc> source)
{
    CloseLiveSource();
    fLive = std::move(source);
}

void CSpecWindow::StartPlayback()
{
    if (!fPlayback)
        return;
    fPlayback->Play();
    CSourceControls::SetButton(fControls->PlayButton(), fPlayback->IsPlaying());
}

void CSpecWindow::TogglePlayback()
{
    if (!fPlayback)
        return;
    if (!fPlayback->IsPlaying()) {
        UsePlaybackSource();
        StartPlayback();
        SetSourceKind(kPlaybackSource);
        return;
    }
    fPlayback->Stop();
    CSourceControls::SetButton(fControls->PlayButton(), fPlayback->IsPlaying());
}

void CSpecWindow::CloseLiveSource()
{
    fLostLinkTimer.Stop(); // a lost link's close is for the source going now
    if (fLive && fCurrent == fLive.get())
        SetCurrentSource(nullptr);
    fLive.reset();
    if (!fControls)
        return;
    for (CStateButton* button : {&fControls->RecordButton(), &fControls->LiveButton()}) {
        CSourceControls::SetButton(*button, false);
        CSourceControls::Enable(*button, false);
    }
}

void CSpecWindow::ClosePlaybackSource()
{
    if (fPlayback && fCurrent == fPlayback.get())
        SetCurrentSource(nullptr);
    fPlayback.reset();
    if (!fControls)
        return;
    CSourceControls::SetButton(fControls->PlayButton(), false);
    CSourceControls::Enable(fControls->PlayButton(), false);
    CSourceControls::Enable(fControls->Slider(), false);
    fControls->TimeCaption().SetText(LStringRef());
}

LStringRef CSpecWindow::ShowTime(float seconds)
{
    const int64_t s = RoundToIndex(seconds, UINT32_MAX);
    char text[32];
    std::snprintf(text, sizeof(text), "%2lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return LStringRef(text);
}

void CSpecWindow::UpdatePlaybackPosition()
{
    if (!fCurrent)
        return;
    CSlider& slider = fControls->Slider();
    if (fCurrent == fPlayback.get()) {
        const float d = fPlayback->DurationSeconds();
        const float p = fPlayback->PositionSeconds();
        fControls->TimeCaption().SetText(ShowTime(p));
        if (d > 0.0f) {
            const int32_t width = int32_t(slider.Rect().Width());
            const int32_t top = std::max(std::min<int64_t>(width, int64_t(std::ceil(std::min(d, 2.0e9f)))), int64_t(1));
            slider.SetRange(0, top);
            slider.SetValue(int32_t(std::clamp(double(top) * double(p) / double(d), 0.0, double(top))));
        } else {
            slider.SetValue(0);
        }
        return;
    }
    if (fLive && fLive->IsRecording())
        fControls->TimeCaption().SetText(ShowTime(fLive->PositionSeconds()));
    else
        fControls->TimeCaption().SetText(LStringRef());
    slider.SetValue(slider.GetMax());
}

float CSpecWindow::SliderSeconds() const
{
    if (!fPlayback)
        return 0.0f;
    const int32_t top = fControls->Slider().GetMax();
    if (top <= 0)
        return 0.0f;
    return fPlayback->DurationSeconds() * float(fControls->Slider().GetValue()) / float(top);
}

void CSpecWindow::OnSliderMoved()
{
    if (fPlayback)
        fPlayback->Stop();
    fControls->TimeCaption().SetText(ShowTime(SliderSeconds()));
}

void CSpecWindow::SeekToSlider()
{
    if (!fPlayback)
        return;
    fPlayback->SeekSeconds(false, SliderSeconds());
    CSourcePosition saved;
    fPlayback->GetPositionFrames(saved);
    const uint32_t n = uint32_t(fPlan.windowTable.size());
    uint32_t pushed = 0;
    float frame[kFrameValues];
    {
        LAsyncQueueLock lock(fQueue);
        while (pushed < n) {
            const int32_t got = fPlayback->ReadNext(frame, kFrameValues);
            if (got == 0)
                break;
            if (got < 0) {
                (void)fPlayback->TakeText();
                continue;
            }
            for (uint32_t c = 0; c < fAnalyser.ChannelCount(); ++c)
                fAnalyser.channels[c]->Push(int32_t(c) < got ? frame[c] : 0.0f);
            ++pushed;
        }
        for (; pushed < n; ++pushed)
            for (auto& chan : fAnalyser.channels)
                chan->Push(0.0f);
    }
    Analyse();
    UpdateStatus();
    fPlayback->SeekFrames(saved);
    UpdatePlaybackPosition();
    UsePlaybackSource();
    CSourceControls::SetButton(fControls->PlayButton(), fPlayback->IsPlaying());
    fChList->AddTrailSlice();
}
