#pragma once
#include "controls/edit/CNumVol.h"

// A value field for MIDI notes that shows and takes note names ("C 4" is 60, "C#4" 61):
// range 0 to 127 by 1, 60 at first. Every character may be typed.
class CNoteEdit : public CNumVol {
public:
    CNoteEdit(LPane* parent, uint32_t style);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    bool AcceptChar(uint8_t character) override;
    double GetValue() override;
    void SetRawValue(double value) override;
};
