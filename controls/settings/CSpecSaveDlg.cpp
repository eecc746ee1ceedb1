#include "controls/settings/CSpecSaveDlg.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"

#include <string>

const char* const CSpecSaveDlg::kResName = "SPECSAVEDLG";

namespace {

constexpr float kMinSeconds = 0.01f;
constexpr float kMaxSeconds = 999.99f;

void Ring(CRadioButton& first, CRadioButton& second)
{
    first.SetNext(&second);
    second.SetNext(&first);
    first.SelectIndex(0);
}

} // namespace

CSpecSaveDlg::CSpecSaveDlg(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fLengthLabel(this, this, 0), fLength(this, 2, 0), fRowLabel(this, this, 0), fRowAnalysis(this, LStdCtlDesc{}),
      fRowInterval(this, LStdCtlDesc{}), fInterval(this, 2, 0), fSummaryLabel(this, this, 0),
      fAverage(this, LStdCtlDesc{}), fMaximum(this, LStdCtlDesc{}), fEvents(this, LStdCtlDesc{})
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    auto text = [&texts](uint32_t item) { return std::string(texts.GetItem(item).View()); };
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(text(1));
    fCancel.SetTitle(text(2));
    SetCaption(fLengthLabel, texts.GetItem(3));
    SetCaption(fRowLabel, texts.GetItem(4));
    fRowAnalysis.SetTitle(text(5));
    fRowInterval.SetTitle(text(6));
    SetCaption(fSummaryLabel, texts.GetItem(7));
    fAverage.SetTitle(text(8));
    fMaximum.SetTitle(text(9));
    fEvents.SetTitle(text(10));
    fLength.SetRange(kMinSeconds, kMaxSeconds, 0.01f);
    fInterval.SetRange(kMinSeconds, kMaxSeconds, 0.01f);
    fLength.SetState(kEventTakeFocus);
    fInterval.SetState(kEventTakeFocus);
    Ring(fRowAnalysis, fRowInterval);
    Ring(fAverage, fMaximum);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    ApplyEnabling();
    PlaceByLayoutList(*this, kResName);
}

void CSpecSaveDlg::SetValue(float frameTime)
{
    if (frameTime == fFrameTime)
        return;
    fFrameTime = frameTime;
    ApplyEnabling();
}

void CSpecSaveDlg::ApplyEnabling()
{
    if (fRowAnalysis.SelectedIndex() == 0) {
        fInterval.SetState(kEventDisable);
        fInterval.SetValue(fFrameTime);
    } else {
        fInterval.SetState(kEventEnable);
    }
}

void CSpecSaveDlg::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LStdCheck::msgChange) || StrEqual(msg.type, CNumVol::msgFix)) {
        ApplyEnabling();
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
