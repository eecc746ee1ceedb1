#pragma once
#include "outputs/defs/CValueCtlDef.h"

// A field sized by its own preferred size: the MIDI note and pan fields.
class CPrefSizedCtlDef : public CValueCtlDef {
public:
    using CValueCtlDef::CValueCtlDef;
    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    // Reports the number truncated to a byte.
    bool StoredValue(double shown, float& value) const override;
    // Shows the value; reports "CNumVol_Fix" as a byte.
    void SetControlValue(LPane& control, float value) const override;
    bool ReadControlValue(const LMessage& msg, float& value) const override;
};

// A MIDI note number shown as a note name.
class CMidiNoteCtlDef : public CPrefSizedCtlDef {
public:
    using CPrefSizedCtlDef::CPrefSizedCtlDef;
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
};

// A MIDI pan position.
class CMidiPanCtlDef : public CPrefSizedCtlDef {
public:
    using CPrefSizedCtlDef::CPrefSizedCtlDef;
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
};

// Writes name + "(" + pane + ")".
void WritePaneCall(const char* name, uint32_t pane, LStrStream& out);
