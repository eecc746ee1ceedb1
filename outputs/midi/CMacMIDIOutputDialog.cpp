#include "outputs/midi/CMacMIDIOutputDialog.h"

#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/text/LStrList.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/midi/MidiSystem.h"
#include "ui/dialogs/DialogResources.h"

const char* const CMacMIDIOutputDialog::kResName = "CMACMIDIOUTPUTDIALOG";

namespace {

// Dialogs: titled, above ordinary windows.
constexpr uint32_t kWindowKind = 0;
enum TextItem : uint32_t { kTitleItem = 0, kOkItem = 1, kCancelItem = 2, kLabelItem = 3, kNoneItem = 4 };

} // namespace

CMacMIDIOutputDialog::CMacMIDIOutputDialog(LHandler* parent, plat::MidiSystem& system)
    : LModalDialog(parent, nullptr, ModalWindowDef(kWindowKind)), fOk(this, LStdCtlDesc{}),
      fCancel(this, LStdCtlDesc{}), fDestinations(this, LStdCtlDesc{}, 0), fLabel(&fDestinations, this),
      fParams(LObject::Create(CParamSchema::SetClass()))
{
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    if (Window())
        SetTitle(texts.GetItem(kTitleItem));
    fOk.SetTitle(std::string(texts.GetItem(kOkItem).View()));
    fCancel.SetTitle(std::string(texts.GetItem(kCancelItem).View()));
    SetCaption(fLabel, texts.GetItem(kLabelItem)); // a caption without a font measures no width
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    FillDestinations(system, std::string(texts.GetItem(kNoneItem).View()));
}

void CMacMIDIOutputDialog::FillDestinations(plat::MidiSystem& system, const std::string& noneText)
{
    fDestinations.RemoveAllItems();
    for (size_t i = 0;; ++i) {
        const plat::MidiEndpoint endpoint = system.Destination(i);
        if (!endpoint)
            break;
        fDestinations.AddItem(std::string(MIDIDestDisplayName(endpoint, system).View()));
    }
    fHasDestinations = fDestinations.GetItemCount() > 0;
    if (!fHasDestinations) {
        // An empty list would leave the user guessing: it says why there is nothing to choose.
        fDestinations.AddItem(noneText);
        fDestinations.SetState(kEventDisable);
    }
    fDestinations.SetSelection(0);
}

std::string CMacMIDIOutputDialog::GetSelectedName() const
{
    return fHasDestinations ? fDestinations.GetItemText(fDestinations.GetSelection()) : std::string();
}

void CMacMIDIOutputDialog::SelectByName(const std::string& name)
{
    const int32_t n = fHasDestinations ? fDestinations.FindItem(name) : -1;
    if (n >= 0)
        fDestinations.SetSelection(n);
}

uint32_t CMacMIDIOutputDialog::Run()
{
    LStringRef chosen;
    if (FindComboIdParam(fParams.get(), chosen))
        SelectByName(std::string(chosen.View()));
    FitWindowToLayout();
    return RunModal();
}

void CMacMIDIOutputDialog::HandleMessage(LMessage& result, const LMessage& msg)
{
    // OK keeps the choice in the parameter set before the dialog ends.
    if (msg.subject == this && StrEqual(msg.type, msgDefault) && fHasDestinations)
        SetComboIdParam(fParams.get(), LStringRef(std::string_view(GetSelectedName())));
    LModalDialog::HandleMessage(result, msg);
}

std::unique_ptr<CMacMIDIOutputDialog> NewMIDIOutputDialog(LHandler* parent)
{
    return std::make_unique<CMacMIDIOutputDialog>(parent, plat::MidiSystem::Shared());
}
