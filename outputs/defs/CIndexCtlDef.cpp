#include "outputs/defs/CIndexCtlDef.h"

#include "foundation/LStrStream.h"
#include "foundation/NumberFormat.h"
#include "outputs/defs/CMidiCtlDefs.h"

#include <algorithm>
#include <cmath>

CIndexCtlDef::CIndexCtlDef(const CDefList& block) : CValueCtlDef(block), fBase(DefInt(block, "base", 0)) {}

void CIndexCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    out << "CalcTextW(";
    WriteLong(pane, out);
    out << ",4)";
}

void CIndexCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("hp", pane, out);
}

LStringRef CIndexCtlDef::IndexText(float value) const
{
    const double finite = std::isfinite(value) ? std::clamp<double>(value, -2147483648.0, 2147483647.0) : 0.0;
    return LongToString(static_cast<int64_t>(std::trunc(finite)) + fBase);
}

LStringRef CIndexCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
