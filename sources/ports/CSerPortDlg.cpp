#include "sources/ports/CSerPortDlg.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/text/LStrList.h"
#include "sources/ports/CSerialPortList.h"
#include "ui/dialogs/DialogResources.h"

const char* const CSerPortDlg::kResName = "SERPORTDLG";

namespace {

// A machine has few serial ports; a list that never ends is cut off here.
constexpr int kMaxDevices = 256;

} // namespace

CSerPortDlg::CSerPortDlg(LHandler* parent, CSerialPortList* devices)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fPopup(this, LStdCtlDesc::Default(), 0), fTitle(this, this, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fTitle, texts.GetItem(3));
    CSerialPortList system;
    CSerialPortList& list = devices ? *devices : system;
    for (int n = 0; n < kMaxDevices && list.Next(); n++)
        fPopup.AddItem(std::string(list.Name().View()));
    fPopup.SetSelection(0);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
}

void CSerPortDlg::SelectPort(const std::string& name)
{
    // An empty name would find the owner's separator, which is no choice.
    const int32_t index = name.empty() ? -1 : fPopup.FindItem(name);
    fPopup.SetSelection(index < 0 ? 0 : index);
}

std::string CSerPortDlg::SelectedName() const
{
    const int32_t index = fPopup.GetSelection();
    return index >= 0 && index < fPopup.GetItemCount() ? fPopup.GetItemText(index) : std::string();
}

bool CSerPortDlg::Run()
{
    PlaceByLayoutList(*this, kResName);
    for (;;) {
        const uint32_t result = ModalStep(LTimer::kMaxDelay);
        if (result == kDefault)
            return true;
        if (result == kEscape)
            return false;
    }
}
