#pragma once
#include "controls/edit/LEditText.h"

// A text field that asks for an ASCII-capable keyboard while it is focused and enabled. This
// desktop has no keyboard input sources to switch, so the field only keeps whether it holds
// the ASCII keyboard; typing goes through the same field editor.
class CAsciiEditText : public LEditText {
public:
    CAsciiEditText(LPane* parent, uint32_t mode, uint32_t style) : LEditText(parent, mode, style) {}

    bool HoldsAsciiKeyboard() const { return fSelected; }

    void StateChanged(int32_t event) override;

private:
    bool fSelected = false;
};
