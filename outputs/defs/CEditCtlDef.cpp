#include "outputs/defs/CEditCtlDef.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "controls/edit/CEntryEditText.h"
#include "outputs/defs/ControlAccess.h"
#include "shell/draw/LFont.h"

#include <cmath>

namespace {

uint32_t AtLeastOne(int32_t value)
{
    return value < 2 ? 1u : static_cast<uint32_t>(value);
}

} // namespace

CEditCtlDef::CEditCtlDef(const CDefList& block)
    : CValueCtlDef(block), fChars(AtLeastOne(DefInt(block, "chars", 10))), fLines(AtLeastOne(DefInt(block, "lines", 1)))
{
}

void CEditCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    out << "CalcEditW(";
    WriteLong(pane, out);
    out << ',';
    WriteLong(fChars, out);
    out << ')';
}

void CEditCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    out << "CalcEditH(";
    WriteLong(pane, out);
    out << ',';
    WriteLong(fLines, out);
    out << ')';
}

LStringRef CEditCtlDef::FormatValue() const
{
    return LStringRef(std::string_view(IniText()));
}

bool CEditCtlDef::StoredValue(double shown, float& value) const
{
    value = static_cast<float>(Finite(shown));
    return true;
}

LStringRef CEditCtlDef::ValueText(float value)
{
    return DoubleToStringTrim(4, std::isfinite(value) ? value : 0.0f);
}

std::unique_ptr<LPane> CEditCtlDef::CreateControl(LPane* parent) const
{
    auto field = std::make_unique<CEntryEditText>(parent, IsMultiLine() ? LEditText::kMultiLine : LEditText::kSingleLine, 0);
    field->SetFont(LFont(kFontId));
    field->SetStoredText(FormatValue());
    return field;
}

void CEditCtlDef::SetControlValue(LPane& control, float value) const
{
    SetControlText(control, ValueText(value));
}

void CEditCtlDef::SetControlText(LPane& control, const LStringRef& text) const
{
    if (auto* entry = dynamic_cast<CEntryEditText*>(&control))
        entry->SetStoredText(text);  // typing not yet entered stays
    else if (auto* field = dynamic_cast<LEditText*>(&control))
        field->SetText(text);
}

bool CEditCtlDef::ReadControlValue(const LMessage& msg, float& value) const
{
    LEditText* field = ControlOf<CEntryEditText>(msg, CEntryEditText::msgEnter);
    return field && StoredValue(StrToDouble(field->GetText().Text()), value);
}

bool CEditCtlDef::ReadControlText(const LMessage& msg, LStringRef& text) const
{
    LEditText* field = ControlOf<CEntryEditText>(msg, CEntryEditText::msgEnter);
    if (!field)
        return false;
    text = field->GetText();
    return true;
}
