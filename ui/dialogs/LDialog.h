#pragma once
#include "ui/frames/LFrame.h"

class LStdButton;

// A frame with a default and a cancel button: Enter, Return and Escape and the window's close
// box press them, and their presses become "LDialog_Default" and "LDialog_Escape". The buttons
// are panes of the dialog owned by the subclass.
class LDialog : public LFrame {
public:
    static const char* msgDefault;     // {dialog, parent}
    static const char* msgEscape;      // {dialog, parent}
    static const char* msgSelected;    // "LStdCtl_Selected" {button, ...}
    // How long a button pressed by key stays highlighted.
    static constexpr uint32_t kFlashMs = 142;

    LDialog(LHandler* parent, LPane* host);
    // A dialog with a window of the definition's kind takes the shared dialog background
    // (the modal one for a modal-layer window).
    LDialog(LHandler* parent, LPane* host, const LWindowDef& def);

    LStdButton* DefaultButton() const { return fDefault; }
    LStdButton* CancelButton() const { return fCancel; }
    // Moves the default mark (Return as key equivalent) to the new button.
    void SetDefaultButton(LStdButton* button);
    void SetCancelButton(LStdButton* button) { fCancel = button; }
    // Highlights the button, redraws the dialog at once, waits and takes the highlight off.
    void FlashButton(LStdButton* button);

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool KeyPress(LMessage& result, const LMessage& msg);
    bool CloseBox(LMessage& result);

    LStdButton* fDefault = nullptr;
    LStdButton* fCancel = nullptr;
};
