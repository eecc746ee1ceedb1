#pragma once
#include "controls/edit/LEditText.h"

// A text field whose typing counts only once its edit ends: when its text differs from the
// text it stands for (its stored text), it reports "CEntryEditText_Enter" on Return or Enter
// (single line), when it loses the focus or its window loses the keyboard, and before any
// command goes on from it to the document, so that a text half typed is never taken for the
// value meant. Undo while it holds such typing puts the stored text back and does nothing else.
class CEntryEditText : public LEditText {
public:
    static const char* msgEnter;

    CEntryEditText(LPane* parent, uint32_t mode, uint32_t style) : LEditText(parent, mode, style) {}

    // The text the field stands for. Typing that differs from it is kept: a refill of the
    // field never replaces what a person typed.
    void SetStoredText(const LStringRef& text);
    // The text differs from the stored text: the edit has not ended.
    bool IsEdited() const;
    // Ends the edit as its end keys do: reports the entry when the text differs from the stored one.
    void Enter();
    // Undoes the typing: the stored text is shown again and nothing is reported.
    void Revert();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void Unfocused() override;

private:
    bool HandleEndKey(LMessage& result, const LMessage& msg);
    bool HandleCommand(LMessage& result, const LMessage& msg);

    LStringRef fStored;
};
