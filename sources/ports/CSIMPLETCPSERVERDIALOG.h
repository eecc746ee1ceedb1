#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/std/LStdButton.h"
#include "controls/std/LStdCheck.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"
#include "ui/panes/LCaptionPane.h"

// Switches the data server on and off and sets its port (1024 to 65535). Checking or
// unchecking the box ends the modal step with kChanged so that the owner starts or stops the
// server at once and reports back with SetEnabled; the port can be edited only while it is off.
class CSIMPLETCPSERVERDIALOG : public LModalDialog {
public:
    static const char* const kResName;   // "CSIMPLETCPSERVERDIALOG"
    enum : uint32_t { kChanged = 3 };

    explicit CSIMPLETCPSERVERDIALOG(LHandler* parent);

    // Sets the box and lets the port be edited exactly when it is off.
    void SetEnabled(bool on);
    bool IsEnabled() const { return fEnable.IsChecked(); }
    CNumVol& Port() { return fPort; }
    LStdCheck& EnableBox() { return fEnable; }
    LStdButton& OkButton() { return fOk; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    LStdButton fOk;
    LImagePane fIcon;
    LCaptionPane fCaption;
    CNumVol fPort;
    LStdCheck fEnable;
};
