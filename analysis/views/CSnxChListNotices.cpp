// How the channel list follows changes of its document, its window record and the colours.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CSnxChList.h"
#include "foundation/records/LObjChange.h"
#include "sources/CSourceType.h"

namespace {

constexpr uint32_t kLabelledChannels = 4;
constexpr uint8_t kTimeDomainTypes = 5;

bool IsClass(const LObjChange& notice, uint32_t cls)
{
    return notice.record && notice.record->Is(CSnxSchema::kCreator, cls);
}

} // namespace

void CSnxChList::PrefsChanged(void* context, LObjChange& notice)
{
    static_cast<CSnxChList*>(context)->RecordChanged(notice);
}

void CSnxChList::RecordChanged(const LObjChange& notice)
{
    if (IsClass(notice, CSnxSchema::kChannelClass)) {
        if (notice.operation == LObjOp::Changed) {
            RequestRender();
            UpdateCell({0, notice.record->IndexInParent()});
        }
        return;
    }
    if (IsClass(notice, CSnxSchema::kDocClass) && notice.field == kFdrsChns
        && (notice.operation == LObjOp::Inserted || notice.operation == LObjOp::Deleted)) {
        ChannelsChanged();
        return;
    }
    if (notice.operation != LObjOp::Changed)
        return;
    if (IsClass(notice, CSnxSchema::kFreqViewClass)) {
        // Only this window's frequency view matters here.
        if (notice.record->Parent() != fWindowRecord)
            return;
        if (notice.field == kChvwFqps)
            RequestRender();
        else if (notice.field == kChvwGridStep) {
            BuildTimeLabel();
            BuildFrequencyLabel();
            ReleaseCells();
            RequestRender();
        }
    } else if (IsClass(notice, CSnxSchema::kColorsClass)) {
        if (notice.field != kColsTrdp)
            RequestRender();
        else if (fWindowRecord && fWindowRecord->GetByte(kWindTral))
            RebuildTrail(false);
    } else if (IsClass(notice, CSnxSchema::kCommonClass)) {
        if (notice.field == kComnDb || notice.field == kComnCtdc) {
            RelabelRows();
            if (notice.field == kComnDb)
                RebuildTrail(false);
        } else if (notice.field == kComnFtsx || notice.field == kComnFqlg) {
            BuildTimeLabel();
            if (notice.field == kComnFqlg) {
                BuildFrequencyLabel();
                ReleaseCells();
            }
            RebuildTrail(notice.field == kComnFtsx);
            RequestRender();
        }
    } else if (IsClass(notice, CSnxSchema::kFaderClass)) {
        FaderChanged(notice);
    } else if (IsClass(notice, CSnxSchema::kDocClass)) {
        if (notice.field == kFdrsDecimals) {
            BuildFrequencyLabel();
            RefreshRows();
        }
    } else if (IsClass(notice, CSnxSchema::kWindowClass)) {
        WindowChanged(notice);
    }
}

void CSnxChList::FaderChanged(const LObjChange& notice)
{
    const LObject* fader = notice.record;
    const bool current = fader->GetByte(kFadrCurrent) != 0;
    const uint8_t channel = fader->GetByte(kFadrSchn);
    const bool labelled = fSourceType && channel < kLabelledChannels && channel < fAxisLabels.size()
                          && fader->GetByte(kFadrStyp) < kTimeDomainTypes;
    switch (notice.field) {
    case kFadrName:
    case kFadrFtyp:
    case kFadrCprm:
        return;
    case kFadrFrql:
    case kFadrFrqh:
    case kFadrAmpl:
    case kFadrAmph:
    case kFadrSchn:
    case kFadrStyp:
        if (current)
            RequestRender();
        return;
    case kFadrCurrent:
        if (labelled)
            RequestRender();
        return;
    default:
        if (current && labelled)
            RequestRender();
        return;
    }
}

// A window record's notice acts only when it is this list's own: a rate change or a trail
// reset in one document must not reset another document's views.
void CSnxChList::WindowChanged(const LObjChange& notice)
{
    if (notice.record != fWindowRecord)
        return;
    switch (notice.field) {
    case kWindTral:
        RebuildTrail(false);
        ReconfigureCells();
        BuildTimeLabel();
        RequestRender();
        SendPref();
        break;
    case kWindGrid:
        // The rows show their grid steps or not: each is filled and drawn again.
        ReleaseCells();
        InvalidateCells(LRegion(Rect()));
        RequestRender();
        break;
    case kWindPkdt:
        if (!fWindowRecord->GetByte(kWindPkdt))
            RefreshRows();
        break;
    case kWindZmrw:
        RelabelRows();
        break;
    case kWindRate:
        BuildTimeLabel();
        BuildFrequencyLabel();
        RebuildTrail(true);
        UpdateAllCells();
        break;
    default:
        break;
    }
}

void CSnxChList::ChannelsChanged()
{
    ReleaseCells();
    DeleteRows(0, Rows());
    InsertRows(0, int32_t(fAnalyser.ChannelCount()));
    SendPref();
    FitCellSize();
    RebuildTrail(false);
}
