#include "outputs/defs/CSliderCtlDef.h"

#include "foundation/LStrStream.h"
#include "foundation/NumberFormat.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CMidiCtlDefs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncates toward zero within the 32-bit range.
int32_t TruncToInt(double value)
{
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::clamp(value, lo, hi)));
}

} // namespace

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

LStringRef CSliderCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
