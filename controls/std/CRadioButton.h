#pragma once
#include "controls/std/LStdCheck.h"

// A radio button whose group is a ring of buttons: owners link each button to the next and the
// last to the first. A click turns this button on and the others of the ring off and reports
// "LStdCheck_Change", also when it was on already (the click turns it off before it reports).
class CRadioButton : public LStdCheck {
public:
    CRadioButton(LPane* parent, const LStdCtlDesc& desc);

    void SetNext(CRadioButton* next) { fNext = next; }
    CRadioButton* Next() const { return fNext; }
    // Walking the ring from this button (0), turns the n-th on and every other off.
    void SelectIndex(int32_t n);
    // Position in the ring of the first button that is on, or -1.
    int32_t SelectedIndex() const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    LRegion GetShape(const CLRect& rect) const override;
    void Action() override;

private:
    // The buttons of the ring from this one, each once.
    template <class Fn>
    void ForEachInRing(Fn fn) const;

    CRadioButton* fNext = nullptr;
};
