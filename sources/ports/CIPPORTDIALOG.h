#pragma once
#include "controls/edit/LEditText.h"
#include "controls/std/LStdButton.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

// Asks for an IPv4 address, with or without a port; OK is enabled only while the field holds text.
class CIPPORTDIALOG : public LModalDialog {
public:
    static const char* const kResName;   // "CIPPORTDIALOG"

    CIPPORTDIALOG(LHandler* parent, bool withPort, const LStringRef& address);

    void SetAddress(const LStringRef& text);
    LStringRef Address() const { return fField.GetText(); }
    LEditText& Field() { return fField; }
    LStdButton& OkButton() { return fOk; }
    const LCaptionPane& Example() const { return fSecond; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void UpdateOk();

    LStdButton fOk;
    LStdButton fCancel;
    LCaptionPane fFirst;
    LCaptionPane fSecond;
    LEditText fField;
};
