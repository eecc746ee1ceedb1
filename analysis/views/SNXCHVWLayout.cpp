// Layout, axes and notices of the frequency view.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/RenderRecords.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHVW.h"
#include "controls/std/PaneMouse.h"
#include "controls/text/CTextDrawer.h"
#include "foundation/input/LMouse.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObjChange.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr uint32_t kAxisFont = 2;
constexpr const char* kFrameLayout = "SNXCHFRM";
constexpr uint32_t kFrmDeclare = 0, kFrmPreferred = 1, kFrmPlaceAxes = 2, kFrmPlaceList = 4;
constexpr uint32_t kAlignStart = 0, kAlignCentre = 1, kAlignEnd = 2;
constexpr const char* kMouseWheel = "LMouse_Wheel";
constexpr int32_t kWheelLimit = 9;

// A pane's rectangle in the coordinates of `top`, which holds it at some depth.
CLRect RectIn(const LPane& pane, const LPane& top)
{
    CLRect rect = pane.Rect();
    for (const LPane* host = pane.Host(); host && host != &top; host = host->Host())
        rect.Offset(host->Rect().left, host->Rect().top);
    return rect;
}

bool IsClass(const LObjChange& notice, uint32_t cls)
{
    return notice.record && notice.record->Is(CSnxSchema::kCreator, cls) && notice.operation == LObjOp::Changed;
}

int32_t ChannelCount(const CSnxChList* list)
{
    return list ? list->Rows() : 0;
}

} // namespace

void SNXCHVW::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    layout.SetVariable("chs", ChannelCount(fList));
}

CLRect SNXCHVW::PreferredRect()
{
    LStrListRef texts;
    LStrListRef::Create(texts, LResRef{0, kFrameLayout}, nullptr, kStrListLayouts);
    LPaneContext context = LPaneContext::FromPane(*this);
    LFormulaLayout layout(&context, this);
    layout.Run(LStrListRef::GetItem(texts, kFrmDeclare).Get());
    layout.SetVariable("chs", ChannelCount(fList));
    layout.Run(LStrListRef::GetItem(texts, kFrmPreferred).Get());
    return layout.LayoutRect();
}

int32_t SNXCHVW::PrefWidth(LPaneContext*, int32_t)
{
    return int32_t(PreferredRect().Width());
}

int32_t SNXCHVW::PrefHeight(LPaneContext*, int32_t)
{
    return int32_t(PreferredRect().Height());
}

// The rows may have changed their text columns even when the frame waits for room: the axes
// follow them at once.
void SNXCHVW::CheckPreferredSize()
{
    fPreferred = PreferredRect();
    if (Rect().Width() >= fPreferred.Width() && Rect().Height() >= fPreferred.Height()) {
        LayoutChannels();
        return;
    }
    LMessage::Send(LMessage{LPane::msgPref, this, Parent()});
    BuildTimeHeader();
    PlaceAxis();
}

void SNXCHVW::LayoutChannels()
{
    const int32_t p = fDivider.DividerPos(0);
    const int32_t w0 = int32_t(fDivider.Rect().Width());
    fFreqPane.Relayout();
    LStrListRef texts;
    LStrListRef::Create(texts, LResRef{0, kFrameLayout}, nullptr, kStrListLayouts);
    LPaneContext context = LPaneContext::FromPane(*this);
    LFormulaLayout layout(&context, this);
    layout.Run(LStrListRef::GetItem(texts, kFrmDeclare).Get());
    layout.SetVariable("chs", ChannelCount(fList));
    layout.SetLayoutRect({0, 0, int32_t(Rect().Width()), int32_t(Rect().Height())});
    layout.Run(LStrListRef::GetItem(texts, kFrmPlaceAxes).Get());
    layout.SetVariable("cht", RectIn(fAxis, *this).bottom);
    layout.SetVariable("chb", fScroll.IsShown() ? RectIn(fScroll, *this).top : int32_t(Rect().Height()));
    layout.Run(LStrListRef::GetItem(texts, kFrmPlaceList).Get());
    const int32_t w1 = int32_t(fDivider.Rect().Width());
    if (p >= 0)
        fDivider.MoveDivider(0, w0 > 0 ? int32_t((int64_t(w0) / 2 + int64_t(w1) * p) / w0) : w1 / 2);
    SyncAxis();
}

void SNXCHVW::RectChanged(const CLRect& old)
{
    LFrame::RectChanged(old);
    if (old.Width() != Rect().Width() || old.Height() != Rect().Height())
        LayoutChannels();
}

void SNXCHVW::SyncAxis()
{
    if (fList) {
        const CLRect list = RectIn(*fList, *this);
        fList->SetViewSizes(RectIn(fFreqPane, *this).right - list.left, RectIn(fTimePane, *this).left - list.left);
    }
    BuildTimeHeader();
    PlaceAxis();
}

void SNXCHVW::PlaceAxis()
{
    if (!fList)
        return;
    // The spectrum view's edges in the axis pane's host, kept inside it; without a view the
    // axis reaches to the host's right edge.
    const std::array<int32_t, 4> columns = fList->GetViewColumns();
    const int32_t offset = RectIn(*fList, *this).left - RectIn(fFreqPane, *this).left;
    const int32_t width = int32_t(fFreqPane.Rect().Width());
    const int32_t left = std::clamp(columns[0] + offset, 0, width);
    const int32_t right = columns[1] > columns[0] ? std::clamp(columns[1] + offset, left, width) : width;
    for (LPane* pane : {static_cast<LPane*>(&fAxis), static_cast<LPane*>(&fScroll)}) {
        CLRect rect = pane->Rect();
        rect.left = left;
        rect.right = right;
        pane->SetRect(rect);
    }
}

SNXCHVW::FreqPane::FreqPane(SNXCHVW& view, const LStrListRef& texts)
    : CLayoutPane(&view.fDivider, texts, true), fView(view)
{
}

void SNXCHVW::FreqPane::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    CLayoutPane::FinishLayout(context, layout);
    fView.PlaceAxis();
}

void SNXCHVW::BuildTimeHeader()
{
    const float d = fList ? fList->WaveSpanSeconds() : 1.0f;
    UnitScale us = ChooseUnitScale(d);
    if (us.scale < 1.0f) {
        us.scale = 1.0f;
        us.prefix = "";
    }
    LPaneContext context = LPaneContext::FromPane(fTimeHeader);
    CHeaderFrame& items = fTimeHeader;
    items.SetItemText(0, LStringRef("0"), &context);
    items.SetItemText(1, DoubleToStringTrim(us.decimals, double(d * us.scale / 2.0f)), &context);
    items.SetItemText(2, DoubleToStringTrim(us.decimals, double(d * us.scale)), &context);
    items.SetItemText(3, LStringRef((std::string(us.prefix) + "s").c_str()), &context);
    const bool grid = fWindowRecord && fWindowRecord->GetByte(kWindGrid);
    fTimeCaption.SetText(grid && fList ? fList->TimeLabel() : LStringRef());
    if (!fList)
        return;
    // The waveform view's edges in the header's coordinates.
    const std::array<int32_t, 4> columns = fList->GetViewColumns();
    const int32_t offset = RectIn(*fList, *this).left - RectIn(fTimeHeader, *this).left;
    const int32_t left = columns[2] + offset, right = columns[3] + offset;
    fTimeHeader.SetColumn(0, left, kAlignStart, &context);
    fTimeHeader.SetColumn(1, (left + right) / 2, kAlignCentre, &context);
    fTimeHeader.SetColumn(3, right, kAlignEnd, &context);
    const CLRect unit = fTimeHeader.ItemRect(3);
    fTimeHeader.SetColumn(2, unit.left, kAlignEnd, &context);
}

void SNXCHVW::ComputeAxis(void* context, CDrawProcPane& pane, LPortState& port)
{
    static_cast<const SNXCHVW*>(context)->DrawAxis(pane, port);
}

// Every label centred at its x, but kept inside the whole zoomed range.
void SNXCHVW::DrawAxis(CDrawProcPane& pane, LPortState& port) const
{
    const FreqAxisInput in = AxisInput();
    const CLRect rect = pane.Rect();
    const int32_t width = int32_t(rect.Width());
    const int32_t x0 = FreqAxisX(0.0, in, rect.left, width), x1 = FreqAxisX(1.0, in, rect.left, width);
    CTextDrawer drawer;
    drawer.SetFont(LFont(kAxisFont));
    drawer.SetAlignment(CTextDrawer::kAlignCentre);
    for (const FreqAxisLabel& label : FreqAxisLabels(in)) {
        drawer.SetText(label.text);
        const int32_t half = (drawer.GetTextWidth(port) + 1) / 2;
        int32_t x = FreqAxisX(label.u, in, rect.left, width);
        x = std::max(x, x0 + half);
        x = std::min(x, x1 - half);
        if (x + half < rect.left || x - half > rect.right)
            continue;
        drawer.SetRect({x - half - 1, rect.top, x + half + 1, rect.bottom});
        drawer.Draw(port);
    }
}

void SNXCHVW::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fDivider && StrEqual(msg.type, CPaneDivider::msgChange)) {
        SyncAxis();
        LMessage::Clear(result);
        return;
    }
    if (fList && msg.subject == fList && StrEqual(msg.type, LPane::msgPref)) {
        CheckPreferredSize();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fScroll && StrEqual(msg.type, LScrollBar::msgChange)) {
        const LObject* view = FreqView();
        SetFqps(float(fScroll.GetValue()) / (UsableFreqZoom(view ? view->GetFloat(kChvwFqzm) : 1.0f) * 10.0f));
        LMessage::Clear(result);
        return;
    }
    if (LMouse* mouse = LMouse::Current(); mouse && msg.subject == mouse && StrEqual(msg.type, kMouseWheel)
                                           && WheelOverAxis(*mouse)) {
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}

// Horizontal wheel steps of half the axis pane's width scroll the zoomed range.
bool SNXCHVW::WheelOverAxis(LMouse& mouse)
{
    const CLPoint at = MouseInPane(fFreqPane);
    const CLRect pane = fFreqPane.Rect();
    if (!pane.Contains(at))
        return false;
    const int32_t steps = mouse.TakeWheelStepsX(kWheelLimit, int32_t(pane.Width()) / 2);
    if (steps != 0) {
        const LObject* view = FreqView();
        fScroll.SetValue(fScroll.GetValue() - steps);
        SetFqps(float(fScroll.GetValue()) / (UsableFreqZoom(view ? view->GetFloat(kChvwFqzm) : 1.0f) * 10.0f));
    }
    return true;
}

void SNXCHVW::RepaintAxis()
{
    fAxis.Invalidate(LRegion(fAxis.Rect()), LRegion(fAxis.Rect()));
}

void SNXCHVW::OnRecordChange(void* context, LObjChange& notice)
{
    static_cast<SNXCHVW*>(context)->RecordChanged(notice);
}

// Acts only on this window's records: another document's rate or zoom is not ours.
void SNXCHVW::RecordChanged(const LObjChange& notice)
{
    if (IsClass(notice, CSnxSchema::kFreqViewClass) && notice.record == FreqView()) {
        if (notice.field == kChvwFqzm) {
            UpdateGridStep();
            UpdateScrollBar();
            CheckPreferredSize();
        } else if (notice.field == kChvwFqps) {
            UpdateScrollBar();
            RepaintAxis();
        } else if (notice.field == kChvwGridStep) {
            UpdateAxisCaption();
            RepaintAxis();
        }
    } else if (IsClass(notice, CSnxSchema::kWindowClass) && notice.record == fWindowRecord) {
        if (notice.field == kWindRate) {
            UpdateGridStep();
            BuildTimeHeader();
        } else if (notice.field == kWindGrid) {
            UpdateAxisCaption();
            BuildTimeHeader();
        } else if (notice.field == kWindTral) {
            BuildTimeHeader();
        }
    } else if (IsClass(notice, CSnxSchema::kCommonClass)) {
        if (notice.field == kComnFqlg) {
            UpdateAxisCaption();
            RepaintAxis();
        } else if (notice.field == kComnFtsx) {
            BuildTimeHeader();
            if (AxisInput().logFrequency)
                RepaintAxis();
        }
    }
}
