#pragma once
#include "controls/std/LProgressBar.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"
#include "ui/panes/LCaptionPane.h"

#include <string>

// A modal dialog for lengthy work: a message, a progress bar (maximum 0: indeterminate), the
// program's icon, a busy text and one button that both confirms and cancels.
class CSimpleProgressDialog : public LModalDialog {
public:
    static const char* const kResName;   // "CSIMPLEPROGRESSDIALOG"

    // `windowKind`: the native window kind of the modal window.
    explicit CSimpleProgressDialog(LHandler* parent, uint32_t windowKind = 0);

    // Sets the message; while the dialog is not on screen the window is fitted to it again.
    void SetMessage(const LStringRef& text);
    // The four characters of "--->---" starting at 3 - phase: ">---" for 0, "--->" for 3.
    static std::string BusyText(int32_t phase);
    void SetBusyPhase(int32_t phase);

    LStdButton& Button() { return fButton; }
    const LCaptionPane& Message() const { return fMessage; }
    LProgressBar& Progress() { return fProgress; }
    LCaptionPane& Busy() { return fBusy; }

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    LStdButton fButton;
    LCaptionPane fMessage;
    LProgressBar fProgress;
    LImagePane fIcon;
    LCaptionPane fBusy;
    int32_t fMessageChars = 20;
    int32_t fBusyPhase = 0;
};
