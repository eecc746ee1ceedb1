#pragma once
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// Asks for a menu shortcut: every printable key pressed, with its modifiers, is shown and
// becomes the key-equivalent text; Return, Enter and Escape are not printable and answer the
// dialog as usual.
class CMenuKeyDlg : public LModalDialog {
public:
    static const char* const kResName;   // "CMENUKEYDLG"

    explicit CMenuKeyDlg(LHandler* parent);

    const LStringRef& KeyText() const { return fKeyText; }
    const LCaptionPane& KeyDisplay() const { return fKeyDisplay; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    LStringRef fKeyText;
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fCaption;
    LCaptionPane fKeyDisplay;
};
