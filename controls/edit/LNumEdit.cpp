#include "controls/edit/LNumEdit.h"

#include "controls/edit/NumberEntry.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"

const char* LNumEdit::msgEnter = "LNumEdit_Enter";

LNumEdit::LNumEdit(LPane* parent, bool pointAllowed, uint32_t style)
    : CAsciiEditText(parent, kSingleLine, style), fPointAllowed(pointAllowed)
{
    SetFont(LFont(3));
}

double LNumEdit::GetValue() const
{
    return StrToDouble(GetText().Text());
}

void LNumEdit::SetValue(uint32_t decimals, double value)
{
    SetText(DoubleToString(static_cast<int32_t>(decimals), value));
}

bool LNumEdit::AcceptChar(uint8_t character)
{
    return (character >= '0' && character <= '9') || character == '-' || (character == '.' && fPointAllowed);
}

void LNumEdit::Changed()
{
    fEdited = true;
    LEditText::Changed();
}

void LNumEdit::Unfocused()
{
    if (fEdited) {
        fEdited = false;
        LMessage::Send(LMessage(msgEnter, this, Parent()));
    }
    LEditText::Unfocused();
}

void LNumEdit::HandleMessage(LMessage& result, const LMessage& msg)
{
    auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
    if (keyboard && StrEqual(msg.type, LKeyboard::msgDown)) {
        const int32_t nav = keyboard->GetNavKey();
        if (nav >= 1 && nav <= 4) {
            LMessage::Redirect(result, msg, Parent());
            return;
        }
        if ((keyboard->character == 3 || keyboard->character == 13) ) {
            SelectAll();
            if (fEdited) {
                fEdited = false;
                keyboard->charFlag = 1;
                LMessage::Make(result, msgEnter, this, Parent());
                return;
            }
        }
    }
    if (msg.subject == this && StrEqual(msg.type, msgChange)) {
        const std::string cut = NumberEntry::CutToNumber(GetText().View(), fPointAllowed);
        if (cut != GetText().View())
            SetText(LStringRef(std::string_view(cut)));
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgEnter)) {
        if (!HasFlags(kPaneFocused) || !LKeyboard::Current()) {
            LMessage::Clear(result);
            return;
        }
        // Enter takes its ordinary course now (a dialog's default button, for instance).
        LEditText::HandleMessage(result, LMessage(LKeyboard::msgDown, LKeyboard::Current(), this));
        return;
    }
    LEditText::HandleMessage(result, msg);
}
