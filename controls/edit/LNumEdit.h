#pragma once
#include "controls/edit/CAsciiEditText.h"

// A text field that takes only a signed decimal number (with one '.' when points are allowed)
// and reports a finished entry as "LNumEdit_Enter": on Return or Enter after an edit, or when
// it loses the focus after an edit.
class LNumEdit : public CAsciiEditText {
public:
    static const char* msgEnter;

    LNumEdit(LPane* parent, bool pointAllowed, uint32_t style);

    // The text read as a number, up to the first character that is not part of one.
    double GetValue() const;
    // Writes the value with the number of decimals.
    void SetValue(uint32_t decimals, double value);
    bool IsEdited() const { return fEdited; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    bool AcceptChar(uint8_t character) override;
    void Changed() override;
    void Unfocused() override;

protected:
    void SetPointAllowed(bool allowed) { fPointAllowed = allowed; }
    void ClearEdited() { fEdited = false; }

private:
    bool fPointAllowed;
    bool fEdited = false;
};
