#include "analysis/window/CPeakDialog.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"

const char* const CPeakDialog::kResName = "PEAKDLG";

CPeakDialog::CPeakDialog(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fCaption(this, this, 0), fDash(this, this, 0), fHold(this, 1, 0), fLow(this, 1, 0), fHigh(this, 1, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fCaption, texts.GetItem(3));
    SetCaption(fDash, texts.GetItem(4));
    fHold.SetRange(0, 100, 1);
    fHold.SetValue(2.0);
    fLow.SetRange(0, 50000, 0.1f);
    fLow.SetValue(10.0);
    fHigh.SetRange(0, 50000, 0.1f);
    fHigh.SetValue(100.0);
    for (CNumVol* field : {&fHold, &fLow, &fHigh})
        field->SetState(kEventTakeFocus);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    PlaceByLayoutList(*this, kResName);
}
