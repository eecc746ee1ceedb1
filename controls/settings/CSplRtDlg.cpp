#include "controls/settings/CSplRtDlg.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "ui/dialogs/DialogResources.h"

#include <string>

const char* const CSplRtDlg::kResName = "SPLRTDLG";

namespace {

constexpr uint32_t kAxisFont = 2;
constexpr uint32_t kResultFont = 3;

LStdCtlDesc WithFont(uint32_t fontId)
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(fontId));
    return desc;
}

} // namespace

CSplRtDlg::CSplRtDlg(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fRateCaption(this, this, 0), fRate(this, 0, 0), fRatioCaption(this, this, 0), fRatio(this, 4, 0),
      fReset(this, WithFont(kAxisFont)), fResult(this, this, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fRateCaption, texts.GetItem(3));
    SetCaption(fRatioCaption, texts.GetItem(4));
    fReset.SetTitle(std::string(texts.GetItem(5).View()));
    SetCaption(fResult, LStringRef(), kResultFont);
    fRate.SetRange(1, 2000, 1);
    fRate.SetValue(120);
    fRatio.SetRange(0.1f, 1.0f, 0.0001f);
    fRatio.SetValue(kDefaultRatio);
    fRate.SetState(kEventTakeFocus);
    fRatio.SetState(kEventTakeFocus);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    UpdateRateText();
    PlaceByLayoutList(*this, kResName);
}

void CSplRtDlg::UpdateRateText()
{
    const float product = float(fRate.GetValue()) * float(fRatio.GetValue());
    const std::string text = "(" + std::string(DoubleToStringTrim(1, product).Text()) + "Hz)";
    fResult.SetText(text.c_str());
}

void CSplRtDlg::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, CNumVol::msgFix)) {
        UpdateRateText();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fReset && StrEqual(msg.type, LStdCtl::msgSelected)) {
        fRatio.SetValue(kDefaultRatio);
        UpdateRateText();
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
