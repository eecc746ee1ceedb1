// The axis texts, cursor readouts and their fields of the channel list's rows.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/NiceStep.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHCELL.h"
#include "foundation/records/LObject.h"
#include "foundation/text/NumberFormat.h"
#include "sources/CSourceType.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr uint32_t kLabelledChannels = 4;

LStringRef Join(const LStringRef& a, const char* b, const LStringRef& c = LStringRef(), const char* d = "")
{
    return LStringRef((std::string(a.View()) + b + std::string(c.View()) + d).c_str());
}

// A grid step written with its unit prefix, unit and "/div".
LStringRef StepText(float step, const LStringRef& unit)
{
    const UnitScale us = ChooseUnitScale(step);
    return Join(DoubleToStringTrim(us.decimals, double(step * us.scale)), us.prefix, unit, "/div");
}

float Rate(const LObject* window)
{
    const float rate = window ? window->GetFloat(kWindRate) : 0.0f;
    return std::isfinite(rate) && rate > 0.0f ? rate : 0.0f;
}

uint8_t DocByte(const CFaderSetRecord& document, uint8_t field)
{
    const LObject* common = document.Root() ? document.Root()->GetChild(kFdrsComn) : nullptr;
    return common ? common->GetByte(field) : 0;
}

void FillField(CNumVol& field, const CReadoutScale& readout, float cursor)
{
    field.SetDecimals(readout.decimals);
    field.SetRange(readout.min, readout.max, readout.Step());
    field.SetValue(double(readout.Shown(cursor)));
}

void SetLevelTexts(CHeaderFrame& header, const CChAxisLabels::Axis* axis, LPaneContext& context)
{
    header.SetItemText(0, axis ? axis->top : LStringRef(), &context);
    header.SetItemText(1, axis ? axis->middle : LStringRef(), &context);
    header.SetItemText(2, axis ? axis->bottom : LStringRef(), &context);
}

void ShowPane(LPane& pane, bool show)
{
    pane.SetState(show ? kEventShow : kEventHide);
}

} // namespace

std::array<LStringRef, 3> CSnxChList::FormatAxisTexts(float top, float middle, float bottom, const LStringRef& unit)
{
    const UnitScale us = ChooseUnitScale(std::max(std::fabs(top), std::fabs(bottom)));
    return {Join(DoubleToStringTrim(us.decimals, double(top * us.scale)), us.prefix, unit),
            DoubleToStringTrim(us.decimals + 1, double(middle * us.scale)),
            DoubleToStringTrim(us.decimals, double(bottom * us.scale))};
}

void CSnxChList::BuildAmplitudeLabels()
{
    fAxisLabels.clear();
    if (fSourceType) {
        const float zinv = 1.0f / float(std::max<uint32_t>(1, fZoom));
        const bool decibel = DocByte(fDocument, kComnDb) != 0;
        const bool centred = DocByte(fDocument, kComnCtdc) != 0;
        const float first = decibel ? 0.1f * zinv : 0.5f * zinv, second = decibel ? 0.01f * zinv : 0.0f;
        const float f = fWindowRecord && fWindowRecord->GetByte(kWindZmrw) ? zinv : 1.0f;
        for (uint32_t k = 0; k < kLabelledChannels; ++k) {
            const CSourceChanInfo& info = fSourceType->chan[k];
            CChAxisLabels labels;
            // Waveform levels, zoomed about the centre, or centred on 0 without DC.
            const float shift = centred ? -(info.span + info.min) * f / 2.0f : 0.0f;
            const float base = (1.0f - f) * info.centre + shift;
            const auto wave = FormatAxisTexts(info.span * f + base, info.centre * f + base, info.min * f + base, info.unit);
            labels.waveform.top = wave[0], labels.waveform.middle = wave[1], labels.waveform.bottom = wave[2];
            labels.waveform.step = StepText(NiceStep((info.span - info.min) * f), info.unit);
            const UnitScale waveUnit = ChooseUnitScale(std::max(std::fabs(info.span), std::fabs(info.min)));
            labels.waveform.unit = Join(LStringRef(waveUnit.prefix), "", info.unit);
            const float range = (info.span - info.min) * waveUnit.scale;
            labels.waveform.readout = centred ? CReadoutScale{0.5f, range, -range / 2.0f, range / 2.0f, 0}
                                              : CReadoutScale{info.faderOffset, range, waveUnit.scale * info.min,
                                                              waveUnit.scale * info.span, 0};
            labels.waveform.readout.decimals = ReadoutDecimals(range, fSourceType->bits);
            // Spectrum levels and readout.
            labels.spectrum.step = decibel ? Join(LongToString(int64_t(NiceStep(60.0f))), "dB/div")
                                           : StepText(NiceStep(info.max * zinv), info.unit);
            const UnitScale specUnit = ChooseUnitScale(info.max);
            labels.spectrum.unit = Join(LStringRef(specUnit.prefix), "", info.unit);
            const float full = specUnit.scale * info.max;
            labels.spectrum.readout = CReadoutScale{0.0f, full, 0.0f, full, ReadoutDecimals(full, fSourceType->bits)};
            const auto spectrum = FormatAxisTexts(info.max * zinv, first * info.max, second * info.max, info.unit);
            labels.spectrum.top = spectrum[0], labels.spectrum.middle = spectrum[1], labels.spectrum.bottom = spectrum[2];
            fAxisLabels.push_back(std::move(labels));
        }
    }
    MeasureHeaderColumns();
}

void CSnxChList::RelabelRows()
{
    BuildAmplitudeLabels();
    RedrawRows();
    SendPref();
}

// The axis-text columns as wide as the widest texts of any row.
void CSnxChList::MeasureHeaderColumns()
{
    fLayout.thirdRow = DocByte(fDocument, kComnDb);
    auto* row = dynamic_cast<SNXCHCELL*>(PrototypeCell());
    if (!row)
        return;
    CRowHeader& spectrum = row->Spectrum().Header();
    CRowHeader& wave = row->Data().Header();
    LPaneContext context = LPaneContext::FromPane(*row);
    int32_t specWidth = 0, waveWidth = 0;
    auto measure = [&](CRowHeader& header, const CChAxisLabels::Axis& axis) {
        SetLevelTexts(header, &axis, context);
        return header.PrefWidth(&context, 0);
    };
    for (const CChAxisLabels& labels : fAxisLabels) {
        specWidth = std::max(specWidth, measure(spectrum, labels.spectrum));
        waveWidth = std::max(waveWidth, measure(wave, labels.waveform));
    }
    SetLevelTexts(spectrum, nullptr, context);
    SetLevelTexts(wave, nullptr, context);
    fLayout.spechdrw = specWidth;
    fLayout.rawshdrw = waveWidth;
}

void CSnxChList::BuildTimeLabel()
{
    fWaveSpan = WaveSpanSeconds();
    fWaveStep = NiceStep(fWaveSpan);
    const UnitScale us = ChooseUnitScale(fWaveStep);
    fTimeLabel = Join(DoubleToStringTrim(us.decimals, double(fWaveStep * us.scale)), us.prefix, LStringRef(), "S/div");
}

void CSnxChList::FollowWaveSpan()
{
    if (WaveSpanSeconds() != fWaveSpan)
        BuildTimeLabel();
}

const LStringRef& CSnxChList::TimeLabel()
{
    FollowWaveSpan();
    return fTimeLabel;
}

float CSnxChList::WaveSpanSeconds() const
{
    const CSpectrumChan* chan = fAnalyser.Channel(0);
    const float rate = Rate(fWindowRecord);
    if (!chan || rate <= 0.0f)
        return 1.0f;
    const float span = float(chan->FFTSize()) / rate;
    if (!fWindowRecord->GetByte(kWindTral))
        return span;
    return std::min(std::max(span, 3.0f), float(chan->ring.size()) / rate);
}

void CSnxChList::BuildFrequencyLabel()
{
    const float nyq = Rate(fWindowRecord) * 0.5f;
    const UnitScale us = ChooseUnitScale(nyq);
    fFreqUnit = Join(LStringRef(us.prefix), "Hz");
    const uint32_t decimals = fDocument.Root() ? fDocument.Root()->GetUInt(kFdrsDecimals) : 0;
    fFreqReadout = CReadoutScale{0.0f, us.scale * nyq, 0.0f, us.scale * nyq, uint8_t(std::min<uint32_t>(decimals, 6))};
}

void CSnxChList::FillAxisTexts(LPane& pane, uint32_t row)
{
    auto* cell = dynamic_cast<SNXCHCELL*>(&pane);
    if (!cell)
        return;
    SNXCHSPEC& spectrum = cell->Spectrum();
    SNXCHDATA& data = cell->Data();
    const bool labelled = fSourceType && row < kLabelledChannels && row < fAxisLabels.size();
    for (LPane* part : {static_cast<LPane*>(&spectrum.Header()), static_cast<LPane*>(&spectrum.GridInfo()),
                        static_cast<LPane*>(&data.Header()), static_cast<LPane*>(&data.GridInfo())})
        ShowPane(*part, labelled);
    if (!labelled)
        return;
    const CChAxisLabels& labels = fAxisLabels[row];
    LPaneContext context = LPaneContext::FromPane(*cell);
    const bool grid = fWindowRecord && fWindowRecord->GetByte(kWindGrid);
    auto texts = [&](CRowHeader& header, CGridInfoFrame& info, const CChAxisLabels::Axis& axis) {
        SetLevelTexts(header, &axis, context);
        info.SetCaptionText(0, grid ? axis.step : LStringRef());
    };
    texts(spectrum.Header(), spectrum.GridInfo(), labels.spectrum);
    texts(data.Header(), data.GridInfo(), labels.waveform);
    FillCursorFields(pane, row);
}

void CSnxChList::FillCursorFields(LPane& pane, uint32_t row)
{
    auto* cell = dynamic_cast<SNXCHCELL*>(&pane);
    const LObject* chan = fDocument.Root() ? fDocument.Root()->GetChild(kFdrsChns, row) : nullptr;
    if (!cell || !chan || row >= fAxisLabels.size())
        return;
    const CChAxisLabels& labels = fAxisLabels[row];
    const bool peaks = fWindowRecord && fWindowRecord->GetByte(kWindPkdt);
    CGridInfoFrame& spectrum = cell->Spectrum().GridInfo();
    CGridInfoFrame& wave = cell->Data().GridInfo();
    FillField(spectrum.Field(0), labels.spectrum.readout, chan->GetFloat(peaks ? kChanPeakLevel : kChanCrsv));
    FillField(spectrum.Field(1), fFreqReadout, chan->GetFloat(peaks ? kChanPeakPos : kChanCrsh));
    FillField(wave.Field(0), labels.waveform.readout, chan->GetFloat(peaks ? kChanMinLevel : kChanCrrv));
    FillField(wave.Field(1), labels.waveform.readout, chan->GetFloat(peaks ? kChanMaxLevel : kChanCrrh));
    spectrum.SetCaptionText(1, labels.spectrum.unit);
    spectrum.SetCaptionText(2, fFreqUnit);
    wave.SetCaptionText(1, labels.waveform.unit);
    wave.SetCaptionText(2, labels.waveform.unit);
}

void CSnxChList::FixCursorField(const LMessage& msg)
{
    CLPoint cell;
    auto* row = dynamic_cast<SNXCHCELL*>(FindCell(dynamic_cast<const LPane*>(msg.subject), &cell));
    auto* field = dynamic_cast<CNumVol*>(msg.subject);
    LObject* chan = fDocument.Root() ? fDocument.Root()->GetChild(kFdrsChns, uint32_t(std::max(0, cell.y))) : nullptr;
    if (!row || !field || !chan)
        return;
    uint8_t target = 0xff;
    if (field == &row->Spectrum().GridInfo().Field(0))
        target = kChanCrsv;
    else if (field == &row->Spectrum().GridInfo().Field(1))
        target = kChanCrsh;
    else if (field == &row->Data().GridInfo().Field(0))
        target = kChanCrrv;
    else if (field == &row->Data().GridInfo().Field(1))
        target = kChanCrrh;
    if (target == 0xff)
        return;
    const float value = CReadoutScale::CursorOf(float(field->GetValue()), field->Minimum(), field->Maximum());
    LObject::SetFloat(chan, this, target, value, LObject::Merge::No);
}
