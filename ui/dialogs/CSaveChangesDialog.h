#pragma once
#include "controls/std/LStdButton.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"

#include <cstdint>

// Asks whether to save a modified document before it closes: Save (the default button),
// Cancel (the cancel button and the close box) and Don't Save. Its layout and texts come from
// the resources "CSAVECHANGESDIALOG".
class CSaveChangesDialog : public LModalDialog {
public:
    static const char* const kResName; // "CSAVECHANGESDIALOG"

    // Answers of Run.
    enum Answer : int32_t { kKeepOpen = 0, kSave = 1, kDiscard = 2 };
    // The result the Don't Save button sets.
    static constexpr uint32_t kResultDiscard = 3;

    CSaveChangesDialog(LHandler* parent, LPane* host);

    // The name the question calls the document by; empty calls it "untitled".
    void SetDocumentName(const LStringRef& name) { fDocumentName = name; }
    const LStringRef& ApplicationName() const { return fApplicationName; }

    // Asks with message variant `variant` (0: closing, 1: quitting) and answers kSave,
    // kKeepOpen or kDiscard.
    int32_t Run(uint32_t variant);
    int32_t Answer() const { return fAnswer; }

    const LStdButton& Button(int index) const;
    const LCaptionPane& Message() const { return fMessage; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    int32_t fAnswer = kKeepOpen;
    LStringRef fApplicationName{"Application"};
    LStringRef fDocumentName;
    LStdButton fButton1;
    LStdButton fButton2;
    LStdButton fButton3;
    LCaptionPane fMessage;
    LImagePane fIcon;
};
