#pragma once
#include "controls/std/LPopupList.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

class CSerialPortList;

// Picks a serial device by name from a pop-up list of every device found; the owner may insert
// entries of its own at the front before it runs the dialog.
class CSerPortDlg : public LModalDialog {
public:
    static const char* const kResName;   // "SERPORTDLG"

    // Lists the devices of `devices` (the system's serial ports when null), the first selected.
    explicit CSerPortDlg(LHandler* parent, CSerialPortList* devices = nullptr);

    LPopupList& Popup() { return fPopup; }
    // Selects the item titled `name`; the first item when none is.
    void SelectPort(const std::string& name);
    // The selected item's title; empty when the list is empty.
    std::string SelectedName() const;
    // Lays the dialog out and runs it; true on OK.
    bool Run();

private:
    LStdButton fOk;
    LStdButton fCancel;
    LPopupList fPopup;
    LCaptionPane fTitle;
};
