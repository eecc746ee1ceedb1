#include "outputs/defs/CMidiCtlDefs.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"

void WritePaneCall(const char* name, uint32_t pane, LStrStream& out)
{
    out << name << '(';
    WriteLong(pane, out);
    out << ')';
}

void CPrefSizedCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("wp", pane, out);
}

void CPrefSizedCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("hp", pane, out);
}

bool CPrefSizedCtlDef::StoredValue(double shown, float& value) const
{
    value = static_cast<float>(TruncToInt(shown) & 255);
    return true;
}

LStringRef CPrefSizedCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
