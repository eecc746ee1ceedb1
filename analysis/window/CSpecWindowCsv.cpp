#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/RecordCsvExport.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "controls/panels/CSaveFileDialog.h"
#include "controls/settings/CSpecSaveDlg.h"
#include "platform/files/FileSpecText.h"
#include "platform/window/FilePanel.h"
#include "sources/CSampleSrc.h"
#include "ui/files/CFileTypeList.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kExportFailedItem = 17;
constexpr uint32_t kNoRowItem = 18;

uint32_t FloatBits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatOfBits(uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The sample rate of a recording: at its start the header that names it is read first.
float RateOfRecording(CSampleSrc& source)
{
    CSourcePosition saved;
    source.GetPositionFrames(saved);
    if (source.PositionSeconds() <= 0.0f) {
        float frame = 0.0f;
        while (source.ReadNext(&frame, 1) < 0) {
        }
    }
    const float rate = float(source.SampleRate());
    source.SeekFrames(saved);
    return rate;
}

void FillDialog(CSpecSaveDlg& dialog, const LObject* view, float frameTime)
{
    dialog.Length().SetValue(FloatOf(view, kWndsSptl));
    dialog.Interval().SetValue(FloatOf(view, kWndsSpti));
    dialog.RowPerAnalysis().SelectIndex(ByteOf(view, kWndsSpts) ? 1 : 0);
    const float kind = FloatOfBits(view ? view->GetUInt(kWndsSptd) : 0);
    dialog.Average().SelectIndex(kind >= 1.0f && kind < 2.0f ? 1 : 0);
    dialog.EventColumn().SetChecked(ByteOf(view, kWndsSpet) != 0);
    dialog.SetValue(frameTime);
}

void StoreDialog(CSpecSaveDlg& dialog, LObject* view)
{
    const bool summarise = dialog.RowPerAnalysis().SelectedIndex() != 0;
    LObject::SetByte(view, nullptr, kWndsSpts, summarise ? 1 : 0, LObject::Merge::No);
    LObject::SetFloat(view, nullptr, kWndsSptl, float(dialog.Length().GetValue()), LObject::Merge::No);
    const float interval = summarise ? float(dialog.Interval().GetValue()) : dialog.FrameTime();
    LObject::SetFloat(view, nullptr, kWndsSpti, interval, LObject::Merge::No);
    LObject::SetUInt(view, nullptr, kWndsSptd, FloatBits(float(dialog.Average().SelectedIndex())), LObject::Merge::No);
    LObject::SetByte(view, nullptr, kWndsSpet, dialog.EventColumn().IsChecked() ? 1 : 0, LObject::Merge::No);
}

} // namespace

void CSpecWindow::SaveSpectrum()
{
    if (!fPlayback)
        return;
    // Only a recording that was playing plays on: a stopped one stays where the user left it.
    const bool wasPlaying = fPlayback->IsPlaying();
    fPlayback->Stop();
    CSourceControls::SetButton(fControls->PlayButton(), false);
    CFileTypeList types("SPCTFFMT");
    CSaveFileDialog panel;
    panel.SetFileTypes(&types);
    panel.SetStartPath(fSpectrumLocation.GetSavePath());
    if (panel.Run()) {
        const LStringRef location = panel.GetFile();
        fSpectrumLocation.SetPath(location);
        SaveSpectrumCsv(plat::PosixPathFromSpec(location.View()));
    }
    if (wasPlaying && fPlayback && fCurrent == fPlayback.get())
        StartPlayback();
}

void CSpecWindow::SaveSpectrumCsv(const std::string& path)
{
    if (!fPlayback)
        return;
    CSourcePosition position;
    fPlayback->GetPositionFrames(position);
    const float rate = RateOfRecording(*fPlayback);
    // A rate of 0 would make the frame infinitely long: one sample per second stands in.
    const float frameTime = float(fPlan.windowTable.size()) / std::max(rate, 1.0f);
    CSpecSaveDlg dialog(this);
    FillDialog(dialog, ViewPrefs(), frameTime);
    if (dialog.RunModal() != LModalDialog::kDefault)
        return;
    StoreDialog(dialog, ViewPrefs());
    // Answered: the options leave the screen while the export runs under its progress window.
    dialog.HideWindow();

    CSampleSrc* current = fCurrent;
    SetCurrentSource(nullptr);
    // Too little of the recording left for a row: no file is made at all.
    const CsvFileOutcome outcome = WholeAnalysisLeft(*this, position, *fPlayback)
                                       ? ExportRecordCsvFile(*this, position, *fPlayback, rate, path)
                                       : CsvFileOutcome::NoRow;
    // The export read ahead; the recording goes back to where the user left it.
    fPlayback->SeekFrames(position);
    SetCurrentSource(current);
    if (outcome == CsvFileOutcome::NoRow)
        ShowWindowMessage(this, kNoRowItem, {});
    else if (outcome == CsvFileOutcome::Failed)
        ShowWindowMessage(this, kExportFailedItem, path);
}
