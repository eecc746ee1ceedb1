#pragma once
#include "ui/panes/LCaptionPane.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"

// The wait dialog of a lengthy task: the program's icon and a message from the string list
// "CLENGTHYTASK", with no button, shown while a blocking call runs on a worker thread.
// NOTE: stands in for the simple progress dialog (message, indeterminate progress bar and a
// hidden button) until that dialog exists.
class CLengthyTaskDialog : public LModalDialog {
public:
    static const char* const kResName; // "CLENGTHYTASK"

    explicit CLengthyTaskDialog(LHandler* parent);

    const LCaptionPane& Message() const { return fMessage; }

private:
    LCaptionPane fMessage;
    LImagePane fIcon;
};
