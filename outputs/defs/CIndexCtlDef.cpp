#include "outputs/defs/CIndexCtlDef.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CMidiCtlDefs.h"
#include "shell/draw/LFont.h"
#include "shell/draw/LFontData.h"
#include "ui/panes/LCaptionPane.h"

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
    return LongToString(int64_t(TruncToInt(value)) + fBase);
}

LStringRef CIndexCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}

std::unique_ptr<LPane> CIndexCtlDef::CreateControl(LPane* parent) const
{
    auto caption = std::make_unique<LCaptionPane>(parent, parent, 0);
    // A caption without a font draws nothing: the index reads in the number fields' font.
    caption->SetFont(LFont(LFontData::kUserFont));
    caption->SetText(IndexText(Ini()));
    return caption;
}

void CIndexCtlDef::SetControlValue(LPane& control, float value) const
{
    if (auto* caption = dynamic_cast<LCaptionPane*>(&control))
        caption->SetText(IndexText(value));
}
