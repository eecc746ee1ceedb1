#include "controls/edit/CEntryEditText.h"

#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"

const char* CEntryEditText::msgEnter = "CEntryEditText_Enter";

void CEntryEditText::Enter()
{
    if (!fEdited)
        return;
    fEdited = false;
    LMessage::Send(LMessage(msgEnter, this, Parent()));
}

void CEntryEditText::Changed()
{
    fEdited = true;
    LEditText::Changed();
}

void CEntryEditText::Unfocused()
{
    Enter();
    LEditText::Unfocused();
}

void CEntryEditText::HandleMessage(LMessage& result, const LMessage& msg)
{
    auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
    const bool enterKey = keyboard && (keyboard->character == 3 || keyboard->character == 13);
    // Return ends a changed single-line edit and is used up by it; otherwise (nothing typed, or
    // a new line of a multi-line text) it takes its ordinary course.
    if (enterKey && fEdited && Editor() && EditMode() == kSingleLine && StrEqual(msg.type, LKeyboard::msgDown)) {
        keyboard->charFlag = 1;
        LMessage::Clear(result);
        Enter();
        SelectAll();
        return;
    }
    LEditText::HandleMessage(result, msg);
}
