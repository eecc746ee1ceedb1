#include "analysis/views/SNXCHSPEC.h"
#include "analysis/views/LevelRows.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LFormulaLayout.h"

namespace {

constexpr const char* kResName = "SNXCHSPEC";

} // namespace

SNXCHSPEC::SNXCHSPEC(LHandler* parent, LPane* host, const ChRowLayout& params)
    : LFrame(parent, host), fParams(params), fHeader(this, 2, false, false), fScale(this, false),
      fSpectrum(this, true), fGridInfo(this, this)
{
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void SNXCHSPEC::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    layout.SetVariable("spechdrw", fParams.spechdrw);
}

void SNXCHSPEC::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    PlaceLevelRows(fHeader, context, fParams.thirdRow != 0);
}
