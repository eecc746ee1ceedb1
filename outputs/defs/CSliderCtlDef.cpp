#include "outputs/defs/CSliderCtlDef.h"

#include "controls/std/CSlider.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CMidiCtlDefs.h"
#include "outputs/defs/ControlAccess.h"

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

std::unique_ptr<LPane> CSliderCtlDef::CreateControl(LPane* parent) const
{
    auto slider = std::make_unique<CSlider>(parent);
    slider->SetRange(fMin, fMax);
    slider->SetValue(TruncToInt(Ini()));
    return slider;
}

void CSliderCtlDef::SetControlValue(LPane& control, float value) const
{
    if (auto* slider = dynamic_cast<CSlider*>(&control))
        slider->SetValue(TruncToInt(value));
}

bool CSliderCtlDef::ReadControlValue(const LMessage& msg, float& value) const
{
    CSlider* slider = ControlOf<CSlider>(msg, CSlider::msgChange);
    if (!slider)
        return false;
    value = static_cast<float>(slider->GetValue());
    return true;
}
