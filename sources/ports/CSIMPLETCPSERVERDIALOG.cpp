#include "sources/ports/CSIMPLETCPSERVERDIALOG.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/panes/LPaneFlags.h"

const char* const CSIMPLETCPSERVERDIALOG::kResName = "CSIMPLETCPSERVERDIALOG";

CSIMPLETCPSERVERDIALOG::CSIMPLETCPSERVERDIALOG(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fIcon(this),
      fCaption(this, this, 0), fPort(this, 0, 0), fEnable(this, LStdCtlDesc{})
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    SetCaption(fCaption, texts.GetItem(2));
    fEnable.SetTitle(std::string(texts.GetItem(3).View()));
    fIcon.SetImage(LoadDialogIcon());
    fPort.SetRange(1024, 65535, 1);
    fPort.SetState(kEventTakeFocus);
    SetDefaultButton(&fOk);
    SetCancelButton(&fOk);
    PlaceByLayoutList(*this, kResName);
}

void CSIMPLETCPSERVERDIALOG::SetEnabled(bool on)
{
    fEnable.SetChecked(on);
    fPort.SetState(on ? kEventDisable : kEventEnable);
}

void CSIMPLETCPSERVERDIALOG::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fEnable && StrEqual(msg.type, LStdCheck::msgChange)) {
        fPort.SetState(fEnable.IsChecked() ? kEventDisable : kEventEnable);
        SetResult(kChanged);
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
