#include "outputs/defs/CNumericCtlDef.h"

#include "controls/edit/CNumVol.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/ControlAccess.h"

#include <algorithm>
#include <cmath>

CNumericCtlDef::CNumericCtlDef(const CDefList& block)
    : CValueCtlDef(block),
      fMin(DefDouble(block, "min", 0.0)),
      fMax(DefDouble(block, "max", 0.0)),
      fStep(DefDouble(block, "step", 1.0)),
      fPrec(std::clamp(DefInt(block, "prec", 0), 0, 15)),
      fScale(DefDouble(block, "scale", 1.0)),
      fBase(DefDouble(block, "base", 0.0))
{
    // A scale of 0 would make every stored value infinite.
    if (fScale == 0.0)
        fScale = 1.0;
    fIni = static_cast<float>(FromDisplay(fIni));
}

int32_t CNumericCtlDef::WidthDigits() const
{
    int32_t n = (fMin < 0.0 ? 1 : 0) + (fPrec > 0 ? fPrec + 2 : 1);
    for (double m = std::max(std::fabs(fMin), std::fabs(fMax)); m >= 10.0; m /= 10.0)
        ++n;
    return std::max(3, n);
}

void CNumericCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    out << "CalcEditW(";
    WriteLong(pane, out);
    out << ',';
    WriteLong(WidthDigits(), out);
    out << ')';
}

void CNumericCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    out << "hp(";
    WriteLong(pane, out);
    out << ')';
}

int32_t CNumericCtlDef::Precision() const
{
    return std::min(15, fPrec + (fScale > 1.0 ? ScaleDecimals(fScale) : 0));
}

LStringRef CNumericCtlDef::ShownText(float value) const
{
    return DoubleToStringTrim(Precision(), Finite(ToDisplay(Finite(value))));
}

bool CNumericCtlDef::StoredValue(double shown, float& value) const
{
    value = static_cast<float>(Finite(FromDisplay(Finite(shown))));
    return true;
}

LStringRef CNumericCtlDef::FormatValue() const
{
    return DoubleToStringTrim(Precision(), std::isfinite(fIni) ? fIni : 0.0f);
}

std::unique_ptr<LPane> CNumericCtlDef::CreateControl(LPane* parent) const
{
    auto field = std::make_unique<CNumVol>(parent, static_cast<uint32_t>(fPrec), 0);
    field->SetRange(static_cast<float>(fMin), static_cast<float>(fMax), static_cast<float>(fStep));
    field->SetValue(Finite(ToDisplay(fIni)));
    return field;
}

void CNumericCtlDef::SetControlValue(LPane& control, float value) const
{
    auto* field = dynamic_cast<CNumVol*>(&control);
    if (field && !field->IsEdited())
        field->SetValue(Finite(ToDisplay(Finite(value))));
}

bool CNumericCtlDef::ReadControlValue(const LMessage& msg, float& value) const
{
    CNumVol* field = ControlOf<CNumVol>(msg, CNumVol::msgFix);
    return field && StoredValue(field->GetValue(), value);
}
