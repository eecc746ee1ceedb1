#include "sources/ports/CIPPORTDIALOG.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/LArray.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTemplate.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/panes/LPaneFlags.h"

const char* const CIPPORTDIALOG::kResName = "CIPPORTDIALOG";

namespace {

constexpr uint32_t kWithoutPortItem = 4;
constexpr uint32_t kWithPortItem = 5;
// One line of text.
constexpr uint32_t kSingleLine = 0;

} // namespace

CIPPORTDIALOG::CIPPORTDIALOG(LHandler* parent, bool withPort, const LStringRef& address)
    : LModalDialog(parent, nullptr, ModalWindowDef(0)), fOk(this, LStdCtlDesc{}), fCancel(this, LStdCtlDesc{}),
      fFirst(this, this, 0), fSecond(this, this, 0), fField(this, kSingleLine, 0)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(0));
    fOk.SetTitle(std::string(texts.GetItem(1).View()));
    fCancel.SetTitle(std::string(texts.GetItem(2).View()));
    SetCaption(fFirst, texts.GetItem(3));
    const LStringRef example = !address.IsEmpty() ? address
                               : withPort         ? LStringRef("192.168.0.10:61000")
                                                  : LStringRef("192.168.0.10");
    LArray arguments(sizeof(const char*));
    const char* argument = example.Text();
    (void)arguments.Append(&argument);
    SetCaption(fSecond, FormatArgs(texts.GetItem(withPort ? kWithPortItem : kWithoutPortItem).Text(), arguments));
    fField.SetState(kEventTakeFocus);
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    UpdateOk();
    PlaceByLayoutList(*this, kResName);
}

void CIPPORTDIALOG::SetAddress(const LStringRef& text)
{
    fField.SetText(text);
    UpdateOk();
}

void CIPPORTDIALOG::UpdateOk()
{
    fOk.SetState(fField.GetText().IsEmpty() ? kEventDisable : kEventEnable);
}

void CIPPORTDIALOG::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fField && StrEqual(msg.type, LEditText::msgChange))
        UpdateOk();
    LModalDialog::HandleMessage(result, msg);
}
