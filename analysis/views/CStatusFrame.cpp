#include "analysis/views/CStatusFrame.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "shell/draw/LFontData.h"

#include <cmath>

namespace {

constexpr const char* kResourceName = "ZEBSTATF";

LFont StatusFont()
{
    return LFont(LFontData::kSmallSystemFont);
}

int64_t RoundHalfAway(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 9.0e18)
        return 0;
    return int64_t(std::trunc(v + std::copysign(0.5, v)));
}

} // namespace

LCtlSpec CStatusFrame::ButtonSpec()
{
    LCtlSpec desc;
    desc.InitNew(0, StatusFont());
    return desc;
}

CStatusFrame::CStatusFrame(LHandler* parent, LPane* host, LResourceSource* source)
    : LFrame(parent, host),
      fLabels{{this, this, CTextDrawer::kModeLine}, {this, this, CTextDrawer::kModeLine},
              {this, this, CTextDrawer::kModeLine}},
      fValues{{this, this, CTextDrawer::kModeLine}, {this, this, CTextDrawer::kModeLine},
              {this, this, CTextDrawer::kModeLine}},
      fButton(this, ButtonSpec(), 0)
{
    LStrListRef texts;
    LStrListRef::Create(texts, LResRef{0, kResourceName}, source, kStrListDialogTexts);
    fWarning = LStrListRef::GetItem(texts, 0);
    for (int i = 0; i < 3; ++i) {
        fLabels[i].SetFont(StatusFont());
        fLabels[i].SetText(LStrListRef::GetItem(texts, uint32_t(i + 1)));
        fValues[i].SetFont(StatusFont());
    }
    LStrListRef layout;
    LStrListRef::Create(layout, LResRef{0, kResourceName}, source, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

void CStatusFrame::SetValue(double baseline)
{
    fValues[0].SetText(baseline < 0.0 ? LStringRef() : DoubleToString(1, baseline));
}

void CStatusFrame::SetCounts(double rate, double ratio)
{
    fValues[1].SetText(LongToString(RoundHalfAway(rate)));
    fValues[2].SetText(LongToString(RoundHalfAway(rate * ratio)));
}

void CStatusFrame::ShowMessage()
{
    fButton.SetTitle(std::string(fWarning.View()));
}

void CStatusFrame::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fButton && StrEqual(msg.type, LStdCtl::msgSelected)) {
        fButton.SetTitle(std::string());
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}
