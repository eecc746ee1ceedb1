#pragma once
#include "controls/std/LPopupList.h"
#include "controls/std/LStdButton.h"
#include "foundation/records/LObject.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LTitlePane.h"

#include <memory>
#include <string>

namespace plat {
class MidiSystem;
}

// The MIDI output dialog: a pop-up list of the MIDI destinations by display name, with OK and
// Cancel. Its parameter set carries the chosen name as "comboid": the item with that name is
// preselected when the dialog runs, and OK stores the selected name there.
class CMacMIDIOutputDialog : public LModalDialog {
public:
    static const char* const kResName;  // "CMACMIDIOUTPUTDIALOG"

    CMacMIDIOutputDialog(LHandler* parent, plat::MidiSystem& system);

    // The dialog's parameter set ("comboid").
    LObject* Params() const { return fParams.get(); }
    // Preselects "comboid", runs the dialog modally and answers the result (1 OK, 2 Cancel).
    uint32_t Run();

    // The text of the selected item; empty without destinations.
    std::string GetSelectedName() const;
    // False when the system offers no destination: the list then only says so.
    bool HasDestinations() const { return fHasDestinations; }
    // Selects the item with that text; nothing when no item has it.
    void SelectByName(const std::string& name);

    const LPopupList& Destinations() const { return fDestinations; }
    const LStdButton& OkButton() const { return fOk; }
    const LStdButton& CancelButton() const { return fCancel; }
    const LTitlePane& Label() const { return fLabel; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void FillDestinations(plat::MidiSystem& system, const std::string& noneText);

    LStdButton fOk;
    LStdButton fCancel;
    LPopupList fDestinations;
    LTitlePane fLabel;
    LObjectPtr fParams;
    bool fHasDestinations = false;
};

// A new MIDI output dialog over the system's destinations.
std::unique_ptr<CMacMIDIOutputDialog> NewMIDIOutputDialog(LHandler* parent);
