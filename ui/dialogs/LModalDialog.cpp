#include "ui/dialogs/LModalDialog.h"
#include "ui/menus/LMenuItem.h"
#include "ui/menus/LMenuBar.h"
#include "foundation/core/StrEqual.h"
#include "ui/LMenuBar.h"
#include "ui/LMenuItem.h"
#include "ui/windows/LWindow.h"

const char* LModalDialog::msgMode = "LHandler_Mode";

namespace {

constexpr const char* kHelpCommand = "LStdCmd_Help";

} // namespace

LModalDialog::LModalDialog(LHandler* parent, LPane* host) : LDialog(parent, host) {}

LModalDialog::LModalDialog(LHandler* parent, LPane* host, const LWindowDef& def) : LDialog(parent, host, def) {}

uint32_t LModalDialog::ModalStep(uint32_t ms)
{
    if (Window() && !Window()->IsVisible())
        ShowWindow();
    fResult = kNone;
    fTimer.Start(ms, 0);
    Announce(msgMode, Parent());
    fTimer.Stop();
    return fResult;
}

uint32_t LModalDialog::RunModal()
{
    uint32_t result = kNone;
    while ((result = ModalStep(LTimer::kMaxDelay)) == kNone) {}
    return result;
}

void LModalDialog::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuBar::msgReady) && msg.subject) {
        static_cast<LMenuBar*>(msg.subject)->EnableCommand(kHelpCommand, LStringRef());
        LMessage::Redirect(result, msg, msg.subject);
        return;
    }
    if (StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject &&
        !static_cast<LMenuItem*>(msg.subject)->HasCommand(kHelpCommand)) {
        LMessage::Redirect(result, msg, msg.subject);
        return;
    }
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        fTimer.Start(0, 0);
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && (StrEqual(msg.type, msgDefault) || StrEqual(msg.type, msgEscape))) {
        fResult = StrEqual(msg.type, msgDefault) ? kDefault : kEscape;
        LMessage::Clear(result);
        return;
    }
    LDialog::HandleMessage(result, msg);
}
