#pragma once
#include "controls/edit/LEditText.h"

// A text field whose typing counts only once its edit ends: after the text was changed, it
// reports "CEntryEditText_Enter" on Return or Enter (single line) and when it loses the
// focus, so that a text half typed is never taken for the value meant.
class CEntryEditText : public LEditText {
public:
    static const char* msgEnter;

    CEntryEditText(LPane* parent, uint32_t mode, uint32_t style) : LEditText(parent, mode, style) {}

    // The text was changed since it was last entered: the edit has not ended.
    bool IsEdited() const { return fEdited; }
    // Ends the edit as its end keys do: reports the entry when the text was changed.
    void Enter();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void Changed() override;
    void Unfocused() override;

private:
    bool fEdited = false;
};
