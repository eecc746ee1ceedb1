#include "analysis/views/SNXCHDATA.h"
#include "analysis/views/LevelRows.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LFormulaLayout.h"

namespace {

constexpr const char* kResName = "SNXCHDATA";

} // namespace

SNXCHDATA::SNXCHDATA(LHandler* parent, LPane* host, const ChRowLayout& params)
    : LFrame(parent, host), fParams(params), fHeader(this, 2, false, false), fWave(this, false),
      fGridInfo(this, this)
{
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void SNXCHDATA::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    layout.SetVariable("rawshdrw", fParams.rawshdrw);
}

void SNXCHDATA::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    PlaceLevelRows(fHeader, context, false);
}
