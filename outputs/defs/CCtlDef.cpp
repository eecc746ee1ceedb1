#include "outputs/defs/CCtlDef.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/TextTemplate.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CEditCtlDef.h"
#include "outputs/defs/CIndexCtlDef.h"
#include "outputs/defs/CMidiCtlDefs.h"
#include "outputs/defs/CNumericCtlDef.h"
#include "outputs/defs/CPopListCtlDef.h"
#include "outputs/defs/CSliderCtlDef.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

CCtlDef::CCtlDef(const CDefList& block)
    : fId(std::string_view(CDefNode::ChildValue(block, "id"))),
      fName(std::string_view(CDefNode::ChildValue(block, "name")))
{
}

std::unique_ptr<CCtlDef> CCtlDef::Create(const CDefList& block)
{
    const std::string type = CDefNode::ChildValue(block, "type");
    if (type.empty() || type == "numeric")
        return std::make_unique<CNumericCtlDef>(block);
    if (type == "midinote")
        return std::make_unique<CMidiNoteCtlDef>(block);
    if (type == "midipan")
        return std::make_unique<CMidiPanCtlDef>(block);
    if (type == "poplist")
        return std::make_unique<CPopListCtlDef>(block);
    if (type == "slider")
        return std::make_unique<CSliderCtlDef>(block);
    if (type == "index")
        return std::make_unique<CIndexCtlDef>(block);
    if (type == "edittext")
        return std::make_unique<CEditCtlDef>(block);
    return nullptr;
}

double CCtlDef::Finite(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

int32_t CCtlDef::TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::clamp(value, lo, hi)));
}

LStringRef CCtlDef::ShownText(float value) const
{
    return ReportText(value);
}

bool CCtlDef::StoredValue(double, float&) const
{
    return false;
}

LStringRef CCtlDef::ReportText(float value) const
{
    return DoubleToStringTrim(Precision(), Finite(value));
}

void CCtlDef::SetControlText(LPane& control, const LStringRef& text) const
{
    SetControlValue(control, static_cast<float>(Finite(StrToDouble(text.Text()))));
}

bool CCtlDef::ReadControlValue(const LMessage&, float&) const
{
    return false;
}

bool CCtlDef::ReadControlText(const LMessage& msg, LStringRef& text) const
{
    float value = 0.0f;
    if (!ReadControlValue(msg, value))
        return false;
    text = ReportText(value);
    return true;
}

void CCtlDef::WritePlacement(const char* fragment, uint32_t pane, LStrStream& out) const
{
    LStrStream width;
    LStrStream height;
    WidthExpr(pane, width);
    HeightExpr(pane, height);
    const LStringRef index = LongToString(pane);
    const char* arguments[] = {index.Text(), width.CStr(), height.CStr()};
    out << FormatTemplate(fragment, arguments, 3).View();
}

void CCtlDef::PlaceInColumn(uint32_t pane, LStrStream& out) const
{
    WritePlacement("w1=%1;PlaceSize(%0,hc-w1/2,t1,w1,%2);", pane, out);
}

void CCtlDef::PlaceInRow(uint32_t pane, LStrStream& out) const
{
    WritePlacement("h1=%2;PlaceSize(%0,l1,vc-h1/2,%1,h1);", pane, out);
}
