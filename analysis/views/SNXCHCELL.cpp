#include "analysis/views/SNXCHCELL.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LFormulaLayout.h"

namespace {

constexpr const char* kResName = "SNXCHCELL";

} // namespace

SNXCHCELL::SNXCHCELL(LPane* grid, const ChRowLayout& params)
    : LCellFrame(grid), fParams(params), fSpectrum(this, this, params), fData(this, this, params)
{
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void SNXCHCELL::Relayout()
{
    LFrame::Relayout();
    fSpectrum.Relayout();
    fData.Relayout();
}

void SNXCHCELL::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LCellFrame::PrepareLayout(context, layout);
    layout.SetVariable("specr", fParams.specr);
    layout.SetVariable("rawsl", fParams.rawsl);
}
