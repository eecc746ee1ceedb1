#pragma once
#include "controls/std/LStdButton.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"

#include <cstdint>

struct LWindowDef;

// The message box: a text beside the program's icon, with OK and, when asked for, Cancel.
// It may close itself after a time-out. Its layout texts are part of the program, so it works
// even when the layouts of the resource file are missing; its titles come from the string list
// "CSIMPLEMESSAGEDIALOG".
class CSimpleMessageDialog : public LModalDialog {
public:
    static const char* const kResName; // "CSIMPLEMESSAGEDIALOG"

    // Builds the buttons, the message and the icon; OK is the default and the cancel button.
    CSimpleMessageDialog(LHandler* parent, LPane* host, const LWindowDef& def);

    // Shows the text until a button is pressed or, with a time-out of at least one second,
    // the time-out passed (which counts as OK). True for OK, false for Cancel.
    bool Run(const LStringRef& text, int32_t timeoutSeconds, bool withCancel);

    // Sizes the box for its text and places it on the screen.
    virtual void SetupLayout();

    const LStdButton& OkButton() const { return fOk; }
    const LStdButton& CancelButton() const { return fCancel; }
    const LCaptionPane& Message() const { return fMessage; }
    const LImagePane& Icon() const { return fIcon; }

private:
    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fMessage;
    LImagePane fIcon;
    uint8_t fNoWrap = 1;
};
