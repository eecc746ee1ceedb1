#include "outputs/defs/CMidiCtlDefs.h"

#include "controls/edit/CNoteEdit.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/consoles/CMidiPanEdit.h"
#include "outputs/defs/ControlAccess.h"

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

void CPrefSizedCtlDef::SetControlValue(LPane& control, float value) const
{
    if (auto* field = dynamic_cast<CNumVol*>(&control))
        field->SetValue(Finite(value));
}

bool CPrefSizedCtlDef::ReadControlValue(const LMessage& msg, float& value) const
{
    CNumVol* field = ControlOf<CNumVol>(msg, CNumVol::msgFix);
    return field && StoredValue(field->GetValue(), value);
}

std::unique_ptr<LPane> CMidiNoteCtlDef::CreateControl(LPane* parent) const
{
    auto field = std::make_unique<CNoteEdit>(parent, 0);
    field->SetValue(Finite(Ini()));
    return field;
}

std::unique_ptr<LPane> CMidiPanCtlDef::CreateControl(LPane* parent) const
{
    auto field = std::make_unique<CMidiPanEdit>(parent, 0);
    field->SetValue(Finite(Ini()));
    return field;
}
