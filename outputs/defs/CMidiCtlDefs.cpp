#include "outputs/defs/CMidiCtlDefs.h"

#include "foundation/LStrStream.h"
#include "foundation/NumberFormat.h"

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

LStringRef CPrefSizedCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
