#include "analysis/LoadBandFile.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/window/CPeakDialog.h"
#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "controls/settings/CFqIntvDlg.h"
#include "controls/settings/CSplRtDlg.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/text/LStrList.h"
#include "outputs/consoles/CDMXCONSOLE.h"
#include "outputs/consoles/CMIDICONSOLE.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/FilePanel.h"
#include "ui/windows/LWindow.h"
#include "shell/files/FileUrls.h"
#include "sources/CSampleSrc.h"
#include "sources/ports/CSIMPLETCPSERVERDIALOG.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr uint32_t kStopRecordingTitle = 10;
constexpr uint32_t kServerToggled = 3;
constexpr uint32_t kCancelled = 2;
constexpr uint32_t kBandsFailedItem = 20;
constexpr uint8_t kMaxOrder = 20;

long ParamOf(const LMenuItem& item)
{
    return std::strtol(std::string(item.ParamText().View()).c_str(), nullptr, 10);
}

void SetWind(LObject* record, uint8_t field, uint8_t value)
{
    LObject::SetByte(record, nullptr, field, value, LObject::Merge::No);
}

// Sets a flag in both the window record and the common view settings new windows copy.
void ToggleShared(LObject* window, uint8_t windField, uint8_t wndsField)
{
    const uint8_t value = window->GetByte(windField) ? 0 : 1;
    SetWind(window, windField, value);
    SetWind(ViewPrefs(), wndsField, value);
}

// In the named submenu, checks the first item that carries the command with this parameter.
void CheckMenuValue(LMenuBar& bar, const char* submenu, const char* command, long value)
{
    LMenu* menu = bar.FindMenu(submenu);
    if (!menu)
        return;
    for (uint32_t i = 0; i < menu->Count(); ++i) {
        LMenuItem* item = menu->ItemAt(i);
        if (item && item->HasCommand(command) && !item->ParamText().IsEmpty() && ParamOf(*item) == value) {
            item->checked = 1;
            return;
        }
    }
}

void EnableChecked(LMenuBar& bar, const char* command, bool checked)
{
    bar.EnableCommand(command);
    if (checked)
        (void)bar.CheckCommand(command);
}

} // namespace

void CSpecWindow::SetAmpDB(uint8_t v)
{
    SetWind(ViewPrefs(), kWndsDb, v);
    LObject::SetBool(Common(), this, kComnDb, v != 0, LObject::Merge::No);
}

void CSpecWindow::SetFreqLog(uint8_t v)
{
    LObject::SetBool(Common(), this, kComnFqlg, v != 0, LObject::Merge::No);
}

void CSpecWindow::SetFFTOrder(uint8_t v)
{
    LObject::SetByte(Common(), this, kComnFtsx, v, LObject::Merge::No);
}

void CSpecWindow::SetWindowFunc(uint8_t v)
{
    LObject::SetByte(Common(), this, kComnWnfc, v, LObject::Merge::No);
}

void CSpecWindow::SetCutDC(uint8_t v)
{
    LObject::SetBool(Common(), this, kComnCtdc, v != 0, LObject::Merge::No);
}

void CSpecWindow::PeakDialog()
{
    LObject* w = fWindowRecord;
    CPeakDialog dialog(this);
    dialog.Hold().SetValue(w->GetFloat(kWindPkht));
    dialog.Low().SetValue(w->GetFloat(kWindPkfl));
    dialog.High().SetValue(w->GetFloat(kWindPkfh));
    if (dialog.RunModal() != LModalDialog::kDefault) {
        SetWind(w, kWindPkdt, 0);
        return;
    }
    const float low = float(dialog.Low().GetValue());
    const float high = float(dialog.High().GetValue());
    LObject::SetFloat(w, nullptr, kWindPkht, float(dialog.Hold().GetValue()), LObject::Merge::No);
    LObject::SetFloat(w, nullptr, kWindPkfl, std::min(low, high), LObject::Merge::No);
    LObject::SetFloat(w, nullptr, kWindPkfh, std::max(low, high), LObject::Merge::No);
    SetWind(w, kWindPkdt, 1);
    LAsyncQueueLock lock(fQueue);
    ResetLevelExtremes();
}

void CSpecWindow::FreqInterval()
{
    CFqIntvDlg dialog(this);
    dialog.Field().SetValue(fBands.width);
    if (dialog.RunModal() != LModalDialog::kDefault)
        return;
    LObject::SetFloat(ViewPrefs(), nullptr, kWndsFqbw, float(dialog.Field().GetValue()), LObject::Merge::No);
    fBands.SetWidth(FloatOf(ViewPrefs(), kWndsFqbw));
    fChList->SetBandList(&fBands);
}

void CSpecWindow::LoadBands()
{
    const LStringRef location = AskFileToOpen("FQBANDFFLT", fBandLocation.GetPath());
    if (location.IsEmpty())
        return;
    // A file that gives no bands is named in a message; the bands shown and the band file the
    // window remembers stay as they were.
    if (std::string failure; !LoadBandsFrom(location, &failure)) {
        ShowWindowMessage(this, kBandsFailedItem, failure);
        return;
    }
    LObject::SetFilePath(ViewPrefs(), nullptr, kWndsFbfl, location);
    fBandLocation.SetPath(location);
    fChList->SetBandList(&fBands);
}

bool CSpecWindow::LoadBandsFrom(const LStringRef& location, std::string* failed)
{
    const std::string path(PosixPathFromUrl(location.View()).View());
    std::string failure;
    if (LoadBandFile(fBands, path, &failure))
        return true;
    std::fprintf(stderr, "sonalyx: cannot read the band file %s: %s\n", path.c_str(), failure.c_str());
    if (failed)
        *failed = "“" + path.substr(path.rfind('/') + 1) + "”: " + failure;
    return false;
}

void CSpecWindow::SampleRateDialog()
{
    CSplRtDlg dialog(this);
    dialog.Rate().SetValue(std::trunc(FloatOf(Common(), kComnSrat)));
    dialog.Ratio().SetValue(FloatOf(Common(), kComnFcrt));
    dialog.UpdateRateText();
    uint32_t result = 0;
    do
        result = dialog.RunModal();
    while (result != LModalDialog::kDefault && result != kCancelled);
    if (result != LModalDialog::kDefault)
        return;
    const float rate = std::trunc(float(dialog.Rate().GetValue()));
    const float ratio = float(dialog.Ratio().GetValue());
    LObject::SetFloat(ViewPrefs(), nullptr, kWndsSrat, rate, LObject::Merge::No);
    LObject::SetFloat(ViewPrefs(), nullptr, kWndsFcrt, ratio, LObject::Merge::No);
    std::unique_ptr<CUndoStrm> step = CUndoStrm::BeginCompound(this, LStringRef());
    LObject::SetFloat(Common(), this, kComnSrat, rate, LObject::Merge::No);
    LObject::SetFloat(Common(), this, kComnFcrt, ratio, LObject::Merge::No);
}

void CSpecWindow::ServerDialog()
{
    CSIMPLETCPSERVERDIALOG dialog(this);
    dialog.Port().SetValue(fWindowRecord->GetUInt(kWindSvpt));
    dialog.SetEnabled(fServer.IsListening());
    for (;;) {
        const uint32_t result = dialog.RunModal();
        if (result == kServerToggled) {
            fServer.Stop();
            if (dialog.IsEnabled()) {
                (void)fServer.Start(TruncToCount(float(dialog.Port().GetValue()), UINT16_MAX));
                dialog.SetEnabled(fServer.IsListening());
            }
            continue;
        }
        if (result == LModalDialog::kDefault || result == kCancelled)
            break;
    }
    LObject::SetUInt(fWindowRecord, nullptr, kWindSvpt, TruncToCount(float(dialog.Port().GetValue()), UINT16_MAX),
                     LObject::Merge::No);
    SetWind(fWindowRecord, kWindSvus, dialog.IsEnabled() ? 1 : 0);
}

void CSpecWindow::ShowDmxConsole()
{
    fDmxConsole->ShowWindow();
}

void CSpecWindow::ShowMidiConsole()
{
    fMidiConsole->ShowWindow();
}

bool CSpecWindow::HandleCommand(const LMessage& msg)
{
    const auto& item = *static_cast<const LMenuItem*>(msg.subject);
    LObject* w = fWindowRecord;
    if (item.HasCommand("LStdCmd_Save")) {
        (void)SaveDocument();
    } else if (item.HasCommand("LStdCmd_SaveAs")) {
        (void)SaveAs();
    } else if (item.HasCommand("CAppCmd_SaveSpec")) {
        SaveSpectrum();
    } else if (item.HasCommand("CAppCmd_Log")) {
        ToggleRecord();
    } else if (item.HasCommand("CAppCmd_LoadLog")) {
        OpenRecord();
    } else if (item.HasCommand("CAppCmd_Server")) {
        ServerDialog();
    } else if (item.HasCommand("CAppCmd_ShowTrail")) {
        ToggleShared(w, kWindTral, kWndsTral);
    } else if (item.HasCommand("CAppCmd_ShowGrid")) {
        ToggleShared(w, kWindGrid, kWndsGrid);
    } else if (item.HasCommand("CAppCmd_ZmRaw")) {
        ToggleShared(w, kWindZmrw, kWndsZmrw);
    } else if (item.HasCommand("CAppCmd_Peak")) {
        PeakDialog();
    } else if (item.HasCommand("CAppCmd_AmpLn") || item.HasCommand("CAppCmd_AmpDB")) {
        SetAmpDB(item.HasCommand("CAppCmd_AmpDB") ? 1 : 0);
    } else if (item.HasCommand("CAppCmd_Spectrum")) {
        fChList->SetBandList(nullptr);
    } else if (item.HasCommand("CAppCmd_FreqIntv")) {
        FreqInterval();
    } else if (item.HasCommand("CAppCmd_LoadBand")) {
        LoadBands();
    } else if (item.HasCommand("CAppCmd_FreqLn") || item.HasCommand("CAppCmd_FreqLog")) {
        const uint8_t v = item.HasCommand("CAppCmd_FreqLog") ? 1 : 0;
        SetWind(ViewPrefs(), kWndsFqlg, v);
        SetFreqLog(v);
    } else if (item.HasCommand("CAppCmd_WfRect") || item.HasCommand("CAppCmd_WfHanning") ||
               item.HasCommand("CAppCmd_WfHamming")) {
        SetWindowFunc(item.HasCommand("CAppCmd_WfRect") ? 0 : item.HasCommand("CAppCmd_WfHanning") ? 1 : 2);
    } else if (item.HasCommand("CAppCmd_CutDC")) {
        SetCutDC(ByteOf(Common(), kComnCtdc) ? 0 : 1);
    } else if (item.HasCommand("CAppCmd_SmplRate")) {
        SampleRateDialog();
    } else if (item.HasCommand("CAppCmd_DmxConsole")) {
        ShowDmxConsole();
    } else if (item.HasCommand("CAppCmd_MidiConsole")) {
        ShowMidiConsole();
    } else if (item.HasCommand("CAppCmd_AddFdr")) {
        fFaderFrame->List().AddFader();
        GrowFaderFrame(fFaderFrame->PreferredHeight());  // the new row is seen
    } else if (item.HasCommand("cEventText")) {
        SetWind(w, kWindEvwo, 1);
        ShowEventWindow();
    } else {
        return HandleParamCommand(msg);
    }
    return true;
}

bool CSpecWindow::HandleParamCommand(const LMessage& msg)
{
    const auto& item = *static_cast<const LMenuItem*>(msg.subject);
    LObject* w = fWindowRecord;
    const long p = ParamOf(item);
    if (item.HasCommand("cTrailSec") || item.HasCommand("cTrailFFT")) {
        const bool fft = item.HasCommand("cTrailFFT");
        for (LObject* record : {w, ViewPrefs()}) {
            const bool isWind = record == w;
            const uint8_t valueField = fft ? (isWind ? uint8_t(kWindTruf) : uint8_t(kWndsTruf))
                                           : (isWind ? uint8_t(kWindTrus) : uint8_t(kWndsTrus));
            // Both the interval in seconds and the spectra count are whole numbers.
            LObject::SetUInt(record, nullptr, valueField, uint32_t(std::max(0L, p)), LObject::Merge::No);
            SetWind(record, isWind ? uint8_t(kWindTrud) : uint8_t(kWndsTrud), fft ? 1 : 0);
        }
    } else if (item.HasCommand("CAppCmd_TrailDepth")) {
        LObject::SetUInt(ColorPrefs(), nullptr, kColsTrdp, p < 2 ? 1 : uint32_t(p), LObject::Merge::No);
    } else if (item.HasCommand("CAppCmd_Zm")) {
        const uint32_t zoom = uint32_t(std::max(1L, p));
        LObject::SetUInt(ViewPrefs(), nullptr, kWndsZoom, zoom, LObject::Merge::No);
        fChList->SetZoom(zoom);
    } else if (item.HasCommand("CAppCmd_FreqZoom")) {
        LObject::SetFloat(w->GetChild(kWindChvw), nullptr, kChvwFqzm, float(p), LObject::Merge::No);
    } else if (item.HasCommand("CAppCmd_FFTSize")) {
        const double order = p > 0 ? std::round(std::log2(double(p))) : 0.0;
        SetFFTOrder(uint8_t(std::clamp(order, 0.0, double(kMaxOrder))));
    } else if (item.HasCommand("CAppCmd_Chans")) {
        if (p < 1)
            return true;
        LObject::SetUInt(ViewPrefs(), nullptr, kWndsChns, uint32_t(p), LObject::Merge::No);
        ResizeChannelRecords(fDocument.Root(), this, uint32_t(std::min<long>(p, kMaxChannelRecords)));
    } else {
        return false;
    }
    return true;
}

void CSpecWindow::EnableCommands(LMenuBar& bar)
{
    const LObject* w = fWindowRecord;
    const LObject* common = Common();
    bar.EnableCommand("LStdCmd_Close");
    if (IsModified())
        bar.EnableCommand("LStdCmd_Save");
    bar.EnableCommand("LStdCmd_SaveAs");
    if (fPlayback)
        bar.EnableCommand("CAppCmd_SaveSpec");
    bar.EnableCommand("CAppCmd_LoadLog");
    if (fLive && fLive->CanRecord()) {
        LStringRef title;
        if (fLive->IsRecording())
            title = LStrList({0, kResName}, nullptr, kStrListDialogTexts).GetItem(kStopRecordingTitle);
        bar.EnableCommand("CAppCmd_Log", title);
    }
    EnableChecked(bar, "CAppCmd_Server", fServer.IsListening());
    bar.EnableCommand("CAppCmd_AddFdr");
    EnableChecked(bar, "CAppCmd_ShowTrail", w->GetByte(kWindTral));
    if (w->GetByte(kWindTral)) {
        for (const char* command : {"cTrailUpdate", "cTrailSec", "cTrailFFT", "CAppCmd_TrailDepth"})
            bar.EnableCommand(command);
        if (w->GetByte(kWindTrud) == 0)
            CheckMenuValue(bar, "TRAILUPDATE", "cTrailSec", long(w->GetUInt(kWindTrus)));
        else
            CheckMenuValue(bar, "TRAILUPDATE", "cTrailFFT", long(w->GetUInt(kWindTruf)));
        CheckMenuValue(bar, "TRAILDEPTH", "CAppCmd_TrailDepth", long(ColorPrefs() ? ColorPrefs()->GetUInt(kColsTrdp) : 0));
    }
    EnableChecked(bar, "CAppCmd_ShowGrid", w->GetByte(kWindGrid));
    EnableChecked(bar, "CAppCmd_Peak", w->GetByte(kWindPkdt));
    bar.EnableCommand("CAppCmd_Zm");
    CheckMenuValue(bar, "VIEW", "CAppCmd_Zm", long(fChList->Zoom()));
    EnableChecked(bar, "CAppCmd_ZmRaw", w->GetByte(kWindZmrw));
    EnableChecked(bar, "CAppCmd_AmpLn", !ByteOf(common, kComnDb));
    EnableChecked(bar, "CAppCmd_AmpDB", ByteOf(common, kComnDb));
    bar.EnableCommand("CAppCmd_FreqZoom");
    const float zoom = FloatOf(w->GetChild(kWindChvw), kChvwFqzm);
    CheckMenuValue(bar, "FREQZOOM", "CAppCmd_FreqZoom", std::isfinite(zoom) ? long(std::trunc(zoom)) : 0);
    const bool bands = fChList->BandList() != nullptr;
    EnableChecked(bar, "CAppCmd_Spectrum", !bands);
    EnableChecked(bar, "CAppCmd_FreqIntv", bands && fBands.Count() == 0);
    EnableChecked(bar, "CAppCmd_LoadBand", bands && fBands.Count() > 0);
    EnableChecked(bar, "CAppCmd_FreqLn", !ByteOf(common, kComnFqlg));
    EnableChecked(bar, "CAppCmd_FreqLog", ByteOf(common, kComnFqlg));
    bar.EnableCommand("CAppCmd_FFTSize");
    CheckMenuValue(bar, "FFTSIZE", "CAppCmd_FFTSize", 1L << std::min<uint8_t>(ByteOf(common, kComnFtsx), 30));
    const uint8_t window = ByteOf(common, kComnWnfc);
    bar.EnableCommand("CAppCmd_WinFunc");
    EnableChecked(bar, "CAppCmd_WfRect", window == 0);
    EnableChecked(bar, "CAppCmd_WfHanning", window == 1);
    EnableChecked(bar, "CAppCmd_WfHamming", window == 2);
    EnableChecked(bar, "CAppCmd_CutDC", ByteOf(common, kComnCtdc));
    bar.EnableCommand("CAppCmd_Chans");
    const uint32_t channels = fDocument.Root() ? fDocument.Root()->GetArrayCount(kFdrsChns) : 0;
    (void)bar.CheckCommand("CAppCmd_Chans", LStringRef(std::to_string(channels)));
    if (!(fLive && fLive->IsAudioInput()))
        bar.EnableCommand("CAppCmd_SmplRate");
    for (const char* command : {"cEventText", "CAppCmd_DmxConsole", "CAppCmd_MidiConsole"})
        bar.EnableCommand(command);
}

bool CSpecWindow::HandleControlMessage(const LMessage& msg)
{
    if (!fControls)
        return false;
    const bool selected = StrEqual(msg.type, LStdCtl::msgSelected);
    if (selected && msg.subject == &fControls->SourceButton()) {
        SelectSource();
        return true;
    }
    if (selected && msg.subject == &fControls->RecordButton()) {
        ToggleRecord();
        return true;
    }
    if (selected && msg.subject == &fControls->LiveButton()) {
        UseLiveSource();
        return true;
    }
    if (selected && msg.subject == &fControls->PlayButton()) {
        TogglePlayback();
        return true;
    }
    if (msg.subject == &fControls->Slider()) {
        if (StrEqual(msg.type, CSlider::msgChange)) {
            OnSliderMoved();
            return true;
        }
        if (selected) {
            SeekToSlider();
            return true;
        }
    }
    return false;
}

bool CSpecWindow::HandleWindowMessage(LMessage& result, const LMessage& msg)
{
    // The window moved or changed size: the next new document window opens where it is now.
    if (StrEqual(msg.type, LWindow::msgPlace) && msg.subject == WindowHandler()) {
        LFrame::HandleMessage(result, msg);
        if (Window())
            LObject::SetRect(ViewPrefs(), nullptr, kWndsDcwp, GetWindowContentRect());
        return true;
    }
    return false;
}

void CSpecWindow::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fUndo.HandleMessage(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LMenuBar::msgReady) && msg.subject && fWindowRecord) {
        EnableCommands(*static_cast<LMenuBar*>(msg.subject));
        LFrame::HandleMessage(result, msg);
        return;
    }
    const bool consumed = (StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject && fWindowRecord &&
                           HandleCommand(msg)) ||
                          HandleControlMessage(msg) || HandleRoadMessage(msg) || HandleLinkClosed(msg);
    if (consumed) {
        LMessage::Clear(result);
        return;
    }
    if (HandleWindowMessage(result, msg) || HandleEditorMessage(result, msg))
        return;
    LFrame::HandleMessage(result, msg);
}
