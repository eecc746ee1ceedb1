#include "outputs/defs/CSliderCtlDef.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CMidiCtlDefs.h"


CSliderCtlDef::CSliderCtlDef(const CDefList& block)
    : CValueCtlDef(block),
      fMin(TruncToInt(DefDouble(block, "min", 0.0))),
      fMax(TruncToInt(DefDouble(block, "max", 100.0))),
      fPlace(CDefNode::ChildValue(block, "place"))
{
}

void CSliderCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("wp", pane, out);
}

void CSliderCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    out << "2*";
    WritePaneCall("wp", pane, out);
}

void CSliderCtlDef::PlaceInColumn(uint32_t pane, LStrStream& out) const
{
    if (fPlace.empty())
        CValueCtlDef::PlaceInColumn(pane, out);
    else
        WritePlacement(fPlace.c_str(), pane, out);
}

LStringRef CSliderCtlDef::ShownText(float value) const
{
    return LongToString(TruncToInt(value));
}

bool CSliderCtlDef::StoredValue(double shown, float& value) const
{
    value = static_cast<float>(TruncToInt(shown));
    return true;
}

LStringRef CSliderCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
