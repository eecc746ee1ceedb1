#pragma once
#include "controls/edit/CNumVol.h"

#include <string_view>

// A MIDI pan field: 0 to 127 by 1 with 64 in the centre, shown as "L64" .. "L1", " C ",
// "1R" .. "63R". Every character may be typed so that L, R and C can be entered.
class CMidiPanEdit : public CNumVol {
public:
    CMidiPanEdit(LPane* parent, uint32_t style);

    // The text of a value: the side letter and the distance from the centre.
    static LStringRef FormatPan(double value);
    // The value of a text: "C" centre, "L" left, "R" right, digits the distance, anything
    // else skipped; limited to 0..127, 64 for an empty text.
    static int32_t ParseText(std::string_view text);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    bool AcceptChar(uint8_t character) override;
    double GetValue() override;
    void SetRawValue(double value) override;
};
