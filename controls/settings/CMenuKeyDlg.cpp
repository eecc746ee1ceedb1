#include "controls/settings/CMenuKeyDlg.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/menus/KeyEquiv.h"

const char* const CMenuKeyDlg::kResName = "CMENUKEYDLG";

CMenuKeyDlg::CMenuKeyDlg(LHandler* parent)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fCaption(this, this, 0), fKeyDisplay(this, this, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fCaption, texts.GetItem(3));
    SetCaption(fKeyDisplay, LStringRef());
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    PlaceByLayoutList(*this, kResName);
}

void CMenuKeyDlg::HandleMessage(LMessage& result, const LMessage& msg)
{
    auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
    if (keyboard && StrEqual(msg.type, LKeyboard::msgDown)) {
        LStrStream code, display;
        if (KeyEquiv::WriteSpec(*keyboard, code) && KeyEquiv::WriteDisplay(*keyboard, display)) {
            fKeyText = LStringRef(code.CStr());
            (void)fKeyDisplay.SetText(LStringRef(display.CStr()));
            LMessage::Clear(result);
            return;
        }
    }
    LModalDialog::HandleMessage(result, msg);
}
