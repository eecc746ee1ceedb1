#include "controls/edit/CNoteEdit.h"

#include "controls/NoteName.h"
#include "foundation/core/StrEqual.h"

#include <cmath>

CNoteEdit::CNoteEdit(LPane* parent, uint32_t style) : CNumVol(parent, 0, style)
{
    SetRange(0, 127, 1);
    SetValue(60);
}

void CNoteEdit::HandleMessage(LMessage& result, const LMessage& msg)
{
    // A note name is not cut to a number: the change goes on as it is.
    if (msg.subject == this && StrEqual(msg.type, msgChange)) {
        LEditText::HandleMessage(result, msg);
        return;
    }
    CNumVol::HandleMessage(result, msg);
}

int32_t CNoteEdit::PrefWidth(LPaneContext* context, int32_t hint)
{
    if (hint != 0)
        return CNumVol::PrefWidth(context, hint);
    return 2 * CNumVol::PrefWidth(context, -11) + 4 * MeasureTextWidth(context, "M");
}

bool CNoteEdit::AcceptChar(uint8_t)
{
    return true;
}

double CNoteEdit::GetValue()
{
    return NoteFromName(GetText().View());
}

void CNoteEdit::SetRawValue(double value)
{
    const double whole = std::isfinite(value) ? std::trunc(value) : 0.0;
    const auto note = static_cast<uint8_t>(static_cast<int64_t>(std::fmod(whole, 256.0) + 256.0) & 0xFF);
    SetText(NoteName(note, 4));
}
