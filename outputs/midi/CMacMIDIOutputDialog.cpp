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
enum TextItem : uint32_t { kTitleItem = 0, kOkItem = 1, kCancelItem = 2, kLabelItem = 3 };

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
    FillDestinations(system);
}

void CMacMIDIOutputDialog::FillDestinations(plat::MidiSystem& system)
{
    fDestinations.RemoveAllItems();
    for (size_t i = 0;; ++i) {
        const plat::MidiEndpoint endpoint = system.Destination(i);
        if (!endpoint)
            break;
        fDestinations.AddItem(std::string(MIDIDestDisplayName(endpoint, system).View()));
    }
    fDestinations.SetSelection(0);
    if (fDestinations.GetItemCount() == 0)
        fDestinations.SetState(kEventDisable);
}

std::string CMacMIDIOutputDialog::GetSelectedName() const
{
    return fDestinations.GetItemText(fDestinations.GetSelection());
}

void CMacMIDIOutputDialog::SelectByName(const std::string& name)
{
    const int32_t n = fDestinations.FindItem(name);
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
    if (msg.subject == this && StrEqual(msg.type, msgDefault) && fDestinations.GetItemCount() > 0)
        SetComboIdParam(fParams.get(), LStringRef(std::string_view(GetSelectedName())));
    LModalDialog::HandleMessage(result, msg);
}

std::unique_ptr<CMacMIDIOutputDialog> NewMIDIOutputDialog(LHandler* parent)
{
    return std::make_unique<CMacMIDIOutputDialog>(parent, plat::MidiSystem::Shared());
}
