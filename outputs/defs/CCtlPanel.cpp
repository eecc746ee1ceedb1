#include "outputs/defs/CCtlPanel.h"

#include "controls/headers/CColumnHeader.h"
#include "controls/headers/CRespText.h"
#include "controls/headers/CRowHeader.h"
#include "controls/text/CTextDrawer.h"
#include "foundation/records/CParamSet.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CCtlDefList.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LDrawPort.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <cmath>

namespace {

// The header item's ascent (hint -10) and height (hint 0), as the row header places it.
constexpr int32_t kAscentHint = -10;
// Header items are centred over their column.
constexpr uint32_t kCentred = 1;
// Header titles are set in the system font: without a font they would measure nothing.
constexpr uint32_t kTitleFontKind = 0;
// The least room between two titles of a row.
constexpr int64_t kTitleGap = 6;

int32_t ScaledSpacing(int32_t value, float factor)
{
    const double scaled = std::trunc(double(value) * double(factor));
    return static_cast<int32_t>(std::clamp(scaled, double(INT32_MIN), double(INT32_MAX)));
}

} // namespace

CCtlPanel::CCtlPanel(LHandler* parent, LPane* host) : LFrame(parent, host) {}

CCtlPanel::~CCtlPanel()
{
    // The controls leave before the frame part they announced themselves to.
    while (!fControls.empty())
        fControls.pop_back();
}

void CCtlPanel::SetSpacing(float hspcFactor, float vspcFactor)
{
    fHSpcFactor = std::isfinite(hspcFactor) ? hspcFactor : 1.0f;
    fVSpcFactor = std::isfinite(vspcFactor) ? vspcFactor : 1.0f;
}

bool CCtlPanel::SetList(const CCtlDefList* list)
{
    if (list == fList)
        return false;
    while (!fControls.empty())
        fControls.pop_back();
    fList = list;
    if (fList) {
        for (uint32_t i = 0; i < fList->Count(); ++i)
            fControls.push_back(fList->At(i)->CreateControl(this));
    }
    PlaceControls();
    return true;
}

LPane* CCtlPanel::Control(uint32_t i) const
{
    return i < fControls.size() ? fControls[i].get() : nullptr;
}

void CCtlPanel::SetValues(const LObject* params, int32_t index)
{
    if (!fList)
        return;
    for (uint32_t i = 0; i < fControls.size(); ++i) {
        const CCtlDef* def = fList->At(i);
        LStringRef text;
        if (def->Id() == "index")
            text = LongToString(index);
        else if (!params || CParamSet::Find(params, def->Id().Text(), &text) < 0)
            text = def->FormatValue();
        def->SetControlText(*fControls[i], text);
    }
}

bool CCtlPanel::TranslateMessage(const LMessage& msg, LStringRef& id, LStringRef& text) const
{
    if (!fList)
        return false;
    for (uint32_t i = 0; i < fControls.size(); ++i) {
        if (static_cast<LHandler*>(fControls[i].get()) != msg.subject)
            continue;
        const CCtlDef* def = fList->At(i);
        if (!def->ReadControlText(msg, text))
            return false;
        id = def->Id();
        return true;
    }
    return false;
}

void CCtlPanel::FillHeader(CHeaderFrame& header) const
{
    // Without definitions the header is emptied too: no titles of an earlier list stay.
    header.RemoveAllItems();
    if (!fList)
        return;
    LPaneContext context = LPaneContext::FromPane(header);
    auto* columns = dynamic_cast<CColumnHeader*>(&header);
    auto* rows = dynamic_cast<CRowHeader*>(&header);
    for (uint32_t i = 0; i < fControls.size(); ++i) {
        header.AddItem(fList->Name(i), LFont(kTitleFontKind));
        const int32_t n = header.ItemCount() - 1;
        const CLRect& rect = fControls[i]->Rect();
        if (columns && fList->LayoutKind() == CCtlDefList::Layout::Row) {
            const int32_t centre = static_cast<int32_t>((int64_t(rect.left) + rect.right) / 2);
            columns->SetColumn(n, centre, kCentred, &context);
        } else if (rows && fList->LayoutKind() == CCtlDefList::Layout::Column) {
            // The title's middle level with the control's middle.
            LPane* item = header.Item(n);
            const int32_t ascent = item ? item->PrefHeight(&context, kAscentHint) : 0;
            const int32_t height = item ? item->PrefHeight(&context, 0) : 0;
            const int64_t middle = (int64_t(rect.top) + rect.bottom) / 2;
            rows->SetRow(n, static_cast<int32_t>(middle - height / 2 + ascent), &context);
        }
    }
}

void CCtlPanel::RectChanged(const CLRect& old)
{
    LFrame::RectChanged(old);
    const CLRect& now = Rect();
    if (now.Width() != old.Width() || now.Height() != old.Height())
        PlaceControls();
}

int32_t CCtlPanel::PrefWidth(LPaneContext*, int32_t)
{
    return static_cast<int32_t>(PreferredControlRect().Width());
}

int32_t CCtlPanel::PrefHeight(LPaneContext*, int32_t)
{
    return static_cast<int32_t>(PreferredControlRect().Height());
}

void CCtlPanel::PrepareControlLayout(LFormulaLayout& layout) const
{
    layout.Run(fList->Prelude().Text());
    layout.SetVariable("hspc", ScaledSpacing(layout.GetVariable("hspc"), fHSpcFactor) + fTitleRoom);
    layout.SetVariable("vspc", ScaledSpacing(layout.GetVariable("vspc"), fVSpcFactor));
}

void CCtlPanel::PlaceControls()
{
    fTitleRoom = 0;
    if (!fList)
        return;
    RunPlaceScript();
    if (fList->LayoutKind() != CCtlDefList::Layout::Row)
        return;
    fTitleRoom = TitleOverlap();
    if (fTitleRoom > 0)
        RunPlaceScript();
}

int32_t CCtlPanel::TitleOverlap() const
{
    LPaneContext context = LPaneContext::FromPane(*this);
    LDrawPort port(context);
    CTextDrawer title;
    title.SetFont(LFont(kTitleFontKind));
    int32_t overlap = 0;
    int64_t previousEnd = 0;
    for (uint32_t i = 0; i < fControls.size(); ++i) {
        title.SetText(fList->Name(i));
        const int64_t width = title.GetTextWidth(port);
        const CLRect& rect = fControls[i]->Rect();
        const int64_t centre = (int64_t(rect.left) + rect.right) / 2;
        // The first title must not start left of the panel either.
        overlap = std::max<int64_t>(overlap, previousEnd + (i > 0 ? kTitleGap : 0) - (centre - width / 2));
        previousEnd = centre + (width + 1) / 2;
    }
    return overlap;
}

void CCtlPanel::RunPlaceScript()
{
    LPaneContext context = LPaneContext::FromPane(*this);
    LFormulaLayout layout(&context, this);
    PrepareControlLayout(layout);
    layout.SetLayoutRect({0, 0, static_cast<int32_t>(Rect().Width()), static_cast<int32_t>(Rect().Height())});
    layout.Run(fList->PlaceScript().Text());
}

CLRect CCtlPanel::PreferredControlRect()
{
    if (!fList)
        return {};
    LPaneContext context = LPaneContext::FromPane(*this);
    LFormulaLayout layout(&context, this);
    PrepareControlLayout(layout);
    layout.Run(fList->SizeScript().Text());
    return layout.LayoutRect();
}
