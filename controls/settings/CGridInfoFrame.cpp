#include "controls/settings/CGridInfoFrame.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFont.h"

const char* const CGridInfoFrame::kResName = "GRIDINFOF";

namespace {

constexpr uint32_t kAxisFont = 2;

} // namespace

CGridInfoFrame::CGridInfoFrame(LHandler* parent, LPane* host)
    : LFrame(parent, host), fCaption0(this, this, 0), fField0(this, 0, 0), fCaption1(this, this, 0),
      fField1(this, 0, 0), fCaption2(this, this, 0)
{
    for (LCaptionPane* caption : {&fCaption0, &fCaption1, &fCaption2})
        caption->SetFont(LFont(kAxisFont));
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void CGridInfoFrame::SetCaptionText(int i, const LStringRef& text)
{
    if (Caption(i).SetText(text))
        Relayout();
}
