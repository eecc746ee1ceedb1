#include "controls/settings/CFqIntvDlg.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"

const char* const CFqIntvDlg::kResName = "FQINTVDLG";

CFqIntvDlg::CFqIntvDlg(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fCaption(this, this, 0), fField(this, 0, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fCaption, texts.GetItem(3));
    fField.SetRange(1, 20000, 1);
    fField.SetValue(10);
    fField.SetState(kEventTakeFocus);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    PlaceByLayoutList(*this, kResName);
}
