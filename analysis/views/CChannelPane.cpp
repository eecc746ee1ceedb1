#include "analysis/views/CChannelPane.h"
#include "controls/headers/CRespText.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LFormulaLayout.h"

#include <cmath>

namespace {

// PrefHeight hint that answers a text item's ascent.
constexpr int32_t kAscentHint = -10;

} // namespace

CChannelPane::CChannelPane(LHandler* parent, LPane* host, const ChRowLayout& params, const char* resName,
                           const char* widthVar, int32_t ChRowLayout::*width, bool followsThirds)
    : LFrame(parent, host), fParams(params), fWidthVar(widthVar), fWidth(width), fFollowsThirds(followsThirds),
      fHeader(this, 2, false, false)
{
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, resName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void CChannelPane::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    layout.SetVariable(fWidthVar, fParams.*fWidth);
}

void CChannelPane::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    CRespText* first = fHeader.Item(0);
    if (!first)
        return;
    const int32_t a = first->PrefHeight(&context, kAscentHint);
    const int32_t t = first->PrefHeight(&context, 0);
    const int32_t h = int32_t(fHeader.Rect().Height());
    fHeader.SetRow(0, a, &context);
    if (fFollowsThirds && fParams.thirdRow) {
        fHeader.SetRow(1, int32_t(std::trunc(float(h) / 3.0f - float(t / 2) + float(a))), &context);
        fHeader.SetRow(2, int32_t(std::trunc(2.0f * float(h) / 3.0f - float(t / 2) + float(a))), &context);
    } else {
        fHeader.SetRow(1, (h - t) / 2 + a, &context);
        fHeader.SetRow(2, h - t + a, &context);
    }
}
