#include "controls/panels/CPanelAccessoryPane.h"
#include "controls/panels/CFileDialog.h"
#include "foundation/core/StrEqual.h"

CPanelAccessoryPane::CPanelAccessoryPane(plat::FilePanel* panel, CFileDialog* dialog)
    : CEmbeddedViewPane(nullptr), fPanel(panel), fDialog(dialog)
{
}

CFileTypePopupPane::CFileTypePopupPane(LPane* accessory, CFileDialog* dialog, CFileTypeList* types)
    : LFrame(accessory, accessory), fDialog(dialog), fTypes(types), fPopup(this, LStdCtlDesc{}, 0)
{
}

void CFileTypePopupPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fPopup && StrEqual(msg.type, LPopupList::msgChanged)) {
        fDialog->ApplyFileType(fPopup.GetSelection());
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}
