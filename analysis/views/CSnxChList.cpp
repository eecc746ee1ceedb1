#include "analysis/views/CSnxChList.h"
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/views/SNXCHCELL.h"
#include "controls/edit/CNumVol.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "shell/draw/LFont.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>

const char* CSnxChList::msgRender = "CSnxChList_Render";

namespace {

constexpr int32_t kListBackground = 1;
constexpr uint32_t kAxisFont = 2;
constexpr const char* kPlacerPlace = "CPlacerPane_Place";

void AddEmptyItems(CRowHeader& header)
{
    header.RemoveAllItems();
    for (int i = 0; i < 3; ++i)
        header.AddItem(LStringRef(), LFont(kAxisFont));
}

} // namespace

CSnxChList::CSnxChList(LPane* parent, CSpectrumAnalyser& analyser, CFaderSetRecord& document, LObject* windowRecord)
    : LCellGrid(parent, 0, false, true), fAnalyser(analyser), fDocument(document), fWindowRecord(windowRecord),
      fTimer(this)
{
    CColorRef background;
    CColor::AssignById(background, kListBackground);
    SetBackground(background);
    InsertColumns(0, 1);
    InsertRows(0, int32_t(fAnalyser.ChannelCount()));
    fObservingDocument = fDocument.AddObserver(this, PrefsChanged);
    if (CAppPrefs* prefs = CAppPrefs::Current())
        fObservingPrefs = prefs->AddObserver(this, PrefsChanged);
    BuildTimeLabel();
    BuildFrequencyLabel();
}

CSnxChList::~CSnxChList()
{
    if (fObservingDocument)
        fDocument.RemoveObserver(this, PrefsChanged);
    if (CAppPrefs* prefs = CAppPrefs::Current(); prefs && fObservingPrefs)
        prefs->RemoveObserver(this, PrefsChanged);
}

void CSnxChList::RequestRender()
{
    fTimer.Request();
}

void CSnxChList::AddTrailSlice()
{
    TakeTrailSlice();
    RequestRender();
}

void CSnxChList::TakeTrailSlice()
{
    fTrail.AddSlice(Input(false));
}

void CSnxChList::SetZoom(uint32_t zoom)
{
    if (zoom == fZoom)
        return;
    fZoom = zoom;
    RelabelRows();
}

void CSnxChList::SetBandList(const CBandList* bands)
{
    if (!bands && !fBands)
        return;
    fBands = bands;
    RebuildTrail(true);
    RequestRender();
}

void CSnxChList::SetSourceType(const CSourceType* type)
{
    fSourceType = type;
    RelabelRows();
}

void CSnxChList::SetViewSizes(int32_t specr, int32_t rawsl)
{
    if (specr == fLayout.specr && rawsl == fLayout.rawsl)
        return;
    fLayout.specr = specr;
    fLayout.rawsl = rawsl;
    RedrawRows();
}

std::array<int32_t, 4> CSnxChList::GetViewColumns()
{
    auto* row = dynamic_cast<SNXCHCELL*>(PrototypeCell());
    if (!row)
        return {0, 0, 0, 0};
    const CLRect spectrum = row->Spectrum().SpectrumView().Rect();
    const CLRect wave = row->Data().WaveView().Rect();
    const int32_t specLeft = row->Spectrum().Rect().left, waveLeft = row->Data().Rect().left;
    return {specLeft + spectrum.left, specLeft + spectrum.right, waveLeft + wave.left, waveLeft + wave.right};
}

void CSnxChList::SendPref()
{
    LMessage::Send(LMessage{LPane::msgPref, this, Parent()});
}

// The rows are stamped from panes that are not in the window: their new layout shows only
// where the list draws them again.
void CSnxChList::RedrawRows()
{
    ReconfigureCells();
    InvalidateCells(LRegion(Rect()));
    RequestRender();
}

void CSnxChList::RefreshRows()
{
    UpdateAllCells();
}

// ---- rows

std::unique_ptr<LPane> CSnxChList::CreateCell()
{
    auto row = std::make_unique<SNXCHCELL>(this, fLayout);
    AddEmptyItems(row->Spectrum().Header());
    AddEmptyItems(row->Data().Header());
    return row;
}

void CSnxChList::ConfigureCell(LPane& pane)
{
    auto* row = dynamic_cast<SNXCHCELL*>(&pane);
    if (!row)
        return;
    const bool trail = fWindowRecord && fWindowRecord->GetByte(kWindTral);
    row->Spectrum().ScaleView().SetState(trail ? kEventShow : kEventHide);
    row->Relayout();
}

int32_t CSnxChList::CellSizePolicy(CLPoint& size)
{
    size.x = int32_t(Rect().Width());
    size.y = int32_t(Rect().Height()) / std::max(1, Rows());
    return 5;
}

void CSnxChList::FitCellSize()
{
    if (Rows() > 0)
        SetCellSize(std::max<int32_t>(1, int32_t(Rect().Width())), std::max(1, int32_t(Rect().Height()) / Rows()));
}

void CSnxChList::RectChanged(const CLRect& old)
{
    if (old.Width() != Rect().Width() || old.Height() != Rect().Height()) {
        FitCellSize();
        ReconfigureCells();
        RebuildTrail(false);
    }
    LCellGrid::RectChanged(old);
    InvalidateCells(LRegion(Rect()));
    RequestRender();
}

void CSnxChList::StateChanged(int32_t event)
{
    LCellGrid::StateChanged(event);
    // Another view font: the level-text columns are measured again in it, once the rows'
    // texts have let go of the old one.
    if (event == kEventPrefsChanged) {
        MeasureHeaderColumns();
        ReconfigureCells();
        ReleaseCells();
        SendPref();
    }
}

bool CSnxChList::FillCell(LPane& pane, const CLPoint& cell)
{
    if (cell.x != 0 || cell.y < 0 || cell.y >= Rows())
        return false;
    FillAxisTexts(pane, uint32_t(cell.y));
    return true;
}

// ---- messages

void CSnxChList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fTimer && StrEqual(msg.type, CRenderTimer::msgTime)) {
        RenderPass();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, LPane::msgDeferred)) {
        InvalidateCells(LRegion(Rect()));
        RequestRender();
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, COpenGLView::msgUpdate)) {
        RequestRender();
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, kPlacerPlace)) {
        result = LMessage{LPane::msgDefer, this, Parent()};
        return;
    }
    if (StrEqual(msg.type, CNumVol::msgFix)) {
        FixCursorField(msg);
        LMessage::Clear(result);
        return;
    }
    LCellGrid::HandleMessage(result, msg);
}
