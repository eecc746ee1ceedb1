#include "shell/app/CAppBase.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/core/LStrStream.h"
#include "shell/app/CAboutDlg.h"
#include "ui/menus/KeyEquiv.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/panes/LPane.h"
#include "ui/dialogs/LModalDialog.h"

#include <algorithm>

namespace {

constexpr const char* kAboutCommand = "LStdCmd_About";
constexpr const char* kHelpCommand = "LStdCmd_Help";
constexpr const char* kDeleteCommand = "LStdCmd_Delete";
constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr uint8_t kDeleteChar = 127;
constexpr uint8_t kBackspaceChar = 8;
// The Delete key beside Backspace (forward delete) erases a selection as Backspace does.
constexpr uint32_t kForwardDeleteChar = 0xF728;

void ClearCharFlag(const LMessage& msg)
{
    if (auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject))
        keyboard->charFlag = 0;
}

LMenuItem* SelectByCommand(LMenuBar& bar, const char* command) { return bar.SelectCommand(command); }
LMenuItem* SelectByKey(LMenuBar& bar, const char* keyText) { return bar.SelectKey(keyText); }

} // namespace

CAppBase::CAppBase() : LHandler(nullptr), fMainLoop(this) {}

CAppBase::~CAppBase() = default;

LMenuBar* CAppBase::MenuTarget(LHandler*& target)
{
    target = nullptr;
    LMenuBar* bar = LMenuBar::Current();
    if (!bar)
        return nullptr;
    target = fMainLoop.CommandTarget();
    if (!target)
        target = bar;
    bar->ResetItems();
    LMessage::Send(LMessage(LMenuBar::msgReady, bar, target));
    return bar;
}

void CAppBase::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LHandler::msgDestructing) && msg.subject)
        Forget(msg.subject);
    if (HandleMenuMessage(msg) || HandleKeyMessage(msg) || HandlePaneRequest(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (msg.subject && msg.subject == LMouse::Current() && StrEqual(msg.type, kMouseCursor)) {
        LMouse::SetCursor(0);
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

// Menu readiness passes on after enabling the standard commands; About is served here.
bool CAppBase::HandleMenuMessage(const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuBar::msgReady) && msg.subject) {
        auto* bar = static_cast<LMenuBar*>(msg.subject);
        bar->EnableCommand(kAboutCommand);
        bar->EnableCommand(kHelpCommand);
        return false;
    }
    if (StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject &&
        static_cast<LMenuItem*>(msg.subject)->HasCommand(kAboutCommand)) {
        RunAbout();
        return true;
    }
    return false;
}

void CAppBase::RunAbout()
{
    CAboutDlg about(this, LStringRef());
    (void)about.RunModal();
}

bool CAppBase::SendCommandItem(LMenuItem* (*select)(LMenuBar&, const char*), const char* what)
{
    LHandler* target = nullptr;
    LMenuBar* bar = MenuTarget(target);
    LMenuItem* item = bar ? select(*bar, what) : nullptr;
    if (!item)
        return false;
    LMessage::Send(LMessage(LMenuItem::msgSelected, item, target));
    return true;
}

// Every key message ends here: Backspace and both Delete keys may choose the Delete command, plain keys
// the item they are the shortcut of; otherwise the view is told to deliver the character.
bool CAppBase::HandleKeyMessage(const LMessage& msg)
{
    const auto* keyboard = dynamic_cast<const LKeyboard*>(msg.subject);
    if (!keyboard)
        return false;
    if (StrEqual(msg.type, LKeyboard::msgDown)) {
        const bool erase = keyboard->character == kDeleteChar || keyboard->character == kBackspaceChar ||
                           keyboard->charCode == kForwardDeleteChar;
        if (!erase || !SendCommandItem(SelectByCommand, kDeleteCommand))
            ClearCharFlag(msg);
        return true;
    }
    if (StrEqual(msg.type, LKeyboard::msgUp)) {
        ClearCharFlag(msg);
        return true;
    }
    if (StrEqual(msg.type, LKeyboard::msgChar)) {
        LStrStream keyText;
        const bool plain = !KeyEquiv::HasMenuModifier(*keyboard) && KeyEquiv::WriteSpec(*keyboard, keyText);
        if (!plain || !SendCommandItem(SelectByKey, keyText.CStr()))
            ClearCharFlag(msg);
        return true;
    }
    return false;
}

bool CAppBase::HandlePaneRequest(const LMessage& msg)
{
    if (StrEqual(msg.type, LModalDialog::msgMode) && msg.subject) {
        fMainLoop.ModalStep(msg.subject);
        return true;
    }
    if (msg.subject == &fMainLoop && StrEqual(msg.type, CMainLoopBase::msgDeferred)) {
        RunDeferred();
        return true;
    }
    auto* pane = dynamic_cast<LPane*>(msg.subject);
    if (!pane)
        return false;
    if (StrEqual(msg.type, LPane::msgReqFocus)) {
        pane->SetState(kEventFocus);
        return true;
    }
    if (StrEqual(msg.type, LPane::msgReqCapture)) {
        CMainLoopBase::SetMouseCapture(pane);
        return true;
    }
    if (StrEqual(msg.type, LPane::msgDefer)) {
        Defer(pane);
        return true;
    }
    return false;
}

void CAppBase::Defer(LPane* pane)
{
    if (std::find(fDeferred.begin(), fDeferred.end(), pane) != fDeferred.end())
        return;
    fDeferred.push_back(pane);
    if (fDeferred.size() == 1)
        fMainLoop.RequestWindowUpdate();
}

// Serves the queue from its last entry to its first. Handlers may take entries out meanwhile;
// panes that ask during the pass are appended behind it and wait for the next update.
void CAppBase::RunDeferred()
{
    size_t next = fDeferred.size();
    bool emptied = fDeferred.empty();
    while (next > 0) {
        next = std::min(next, fDeferred.size());
        if (next == 0)
            break;
        --next;
        LPane* pane = fDeferred[next];
        fDeferred.erase(fDeferred.begin() + static_cast<std::ptrdiff_t>(next));
        emptied = emptied || fDeferred.empty();
        LMessage::Send(LMessage(LPane::msgDeferred, pane, pane));
    }
    if (!emptied && !fDeferred.empty())
        fMainLoop.RequestWindowUpdate();
}

void CAppBase::Forget(LHandler* handler)
{
    fDeferred.erase(std::remove(fDeferred.begin(), fDeferred.end(), handler), fDeferred.end());
    if (LMouse* mouse = LMouse::Current(); mouse && mouse->Capture() == handler)
        mouse->SetCapture(nullptr);
}
