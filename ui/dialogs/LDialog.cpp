#include "ui/dialogs/LDialog.h"
#include "controls/std/LStdButton.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "ui/LTimer.h"
#include "ui/windows/LWindowDef.h"

const char* LDialog::msgDefault = "LDialog_Default";
const char* LDialog::msgEscape = "LDialog_Escape";
const char* LDialog::msgSelected = "LStdCtl_Selected";

namespace {

constexpr uint8_t kEnterKey = 3;
constexpr uint8_t kReturnKey = 13;
constexpr uint8_t kEscapeKey = 27;
constexpr const char* kWindowClose = "LWindow_Close";
// Shared window background colours of dialogs.
constexpr int32_t kBackgroundId = 1;
constexpr int32_t kModalBackgroundId = 2;

} // namespace

LDialog::LDialog(LHandler* parent, LPane* host) : LFrame(parent, host) {}

LDialog::LDialog(LHandler* parent, LPane* host, const LWindowDef& def) : LFrame(parent, host, def)
{
    if (!Window())
        return;
    CColorRef background;
    CColor::AssignById(background, def.layer == LWindowDef::kLayerModal ? kModalBackgroundId : kBackgroundId);
    SetBackground(background);
}

void LDialog::SetDefaultButton(LStdButton* button)
{
    if (button == fDefault)
        return;
    if (fDefault)
        fDefault->SetDefault(false);
    fDefault = button;
    if (fDefault)
        fDefault->SetDefault(true);
}

void LDialog::FlashButton(LStdButton* button)
{
    if (!button)
        return;
    button->SetHighlight(true);
    Announce(msgUpdateNow, Parent());
    LTimer::Delay(kFlashMs);
    button->SetHighlight(false);
}

void LDialog::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LKeyboard::msgDown) && KeyPress(result, msg))
        return;
    if (StrEqual(msg.type, kWindowClose) && msg.subject && msg.subject == WindowHandler() && CloseBox(result))
        return;
    if (StrEqual(msg.type, msgSelected) && msg.subject) {
        if (msg.subject == static_cast<LHandler*>(fDefault)) {
            LMessage::Make(result, msgDefault, this, Parent());
            return;
        }
        if (msg.subject == static_cast<LHandler*>(fCancel)) {
            LMessage::Make(result, msgEscape, this, Parent());
            return;
        }
    }
    LFrame::HandleMessage(result, msg);
}

// Enter and Return press an active default button, Escape an active cancel button.
bool LDialog::KeyPress(LMessage& result, const LMessage& msg)
{
    const LKeyboard* keyboard = dynamic_cast<const LKeyboard*>(msg.subject);
    if (!keyboard)
        return false;
    LStdButton* button = nullptr;
    if (keyboard->character == kEnterKey || keyboard->character == kReturnKey)
        button = fDefault;
    else if (keyboard->character == kEscapeKey)
        button = fCancel;
    if (!button || !button->IsFullyActive())
        return false;
    FlashButton(button);
    LMessage::Make(result, msgSelected, button, this);
    return true;
}

// The close box presses the cancel button, or the default one when there is no cancel
// button; a disabled or hidden button swallows it.
bool LDialog::CloseBox(LMessage& result)
{
    LStdButton* button = fCancel ? fCancel : fDefault;
    if (!button)
        return false;
    if (button->IsEnabledAndShown())
        LMessage::Make(result, msgSelected, button, this);
    else
        LMessage::Clear(result);
    return true;
}
