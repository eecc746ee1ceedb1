#include "controls/edit/CEntryEditText.h"

#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/panes/LPaneFlags.h"

namespace {

constexpr const char* kUndoCommand = "LStdCmd_Undo";

} // namespace

const char* CEntryEditText::msgEnter = "CEntryEditText_Enter";

void CEntryEditText::SetStoredText(const LStringRef& text)
{
    const bool edited = IsEdited();
    fStored = text;
    if (!edited)
        SetText(text);
}

bool CEntryEditText::IsEdited() const
{
    return !(GetText() == fStored);
}

void CEntryEditText::Enter()
{
    if (!IsEdited())
        return;
    fStored = GetText();
    LMessage::Send(LMessage(msgEnter, this, Parent()));
}

void CEntryEditText::Revert()
{
    SetText(fStored);
    if (Editor())
        SelectAll();
}

void CEntryEditText::Unfocused()
{
    Enter();
    LEditText::Unfocused();
}

void CEntryEditText::StateChanged(int32_t event)
{
    LEditText::StateChanged(event);
    // Another window (of this program or another) took the keyboard: the edit ends as a click
    // elsewhere ends it, so that the field never shows a text the document does not hold.
    if (event == kEventNotKeyWindow && HasFlags(kPaneFocused))
        Enter();
}

void CEntryEditText::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (HandleEndKey(result, msg) || HandleCommand(result, msg))
        return;
    LEditText::HandleMessage(result, msg);
}

// Return ends a changed single-line edit and is used up by it; otherwise (nothing typed, or
// a new line of a multi-line text) it takes its ordinary course.
bool CEntryEditText::HandleEndKey(LMessage& result, const LMessage& msg)
{
    auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
    const bool enterKey = keyboard && (keyboard->character == 3 || keyboard->character == 13);
    if (!enterKey || !IsEdited() || !Editor() || EditMode() != kSingleLine || !StrEqual(msg.type, LKeyboard::msgDown))
        return false;
    keyboard->charFlag = 1;
    LMessage::Clear(result);
    Enter();
    SelectAll();
    return true;
}

// Commands reach the field first. While it holds typing, Undo is the typing's own; any other
// command the field's editor leaves alone ends the edit before it goes on to the document.
bool CEntryEditText::HandleCommand(LMessage& result, const LMessage& msg)
{
    if (auto* bar = dynamic_cast<LMenuBar*>(msg.subject); bar && StrEqual(msg.type, LMenuBar::msgReady)) {
        if (IsEdited())
            bar->EnableCommand(kUndoCommand);
        return false;
    }
    auto* item = dynamic_cast<LMenuItem*>(msg.subject);
    if (!item || !StrEqual(msg.type, LMenuItem::msgSelected))
        return false;
    if (IsEdited() && item->HasCommand(kUndoCommand)) {
        Revert();
        LMessage::Clear(result);
        return true;
    }
    LEditText::HandleMessage(result, msg);
    if (!result.IsConsumed())
        Enter();
    return true;
}
