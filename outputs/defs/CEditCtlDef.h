#pragma once
#include "outputs/defs/CValueCtlDef.h"

// A text field of "chars" characters and "lines" lines (each at least 1) whose initial
// value is the "ini" text itself.
class CEditCtlDef : public CValueCtlDef {
public:
    // The font id of the edit field.
    static constexpr uint32_t kFontId = 3;

    explicit CEditCtlDef(const CDefList& block);
    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    // The text the field shows for a value: up to 4 decimals, trimmed.
    static LStringRef ValueText(float value);
    LStringRef ShownText(float value) const override { return ValueText(value); }
    // The field's text read as a number.
    bool StoredValue(double shown, float& value) const override;
    // A text field in the fixed-pitch font, multi-line from two lines on; a value text is
    // shown as it is. The field's text is reported once its edit ends ("CEntryEditText_Enter":
    // Return, Tab or the focus leaving), never while it is typed: a half-typed text (an OSC
    // address, a sound's name) would send the output somewhere nobody chose.
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
    void SetControlValue(LPane& control, float value) const override;
    void SetControlText(LPane& control, const LStringRef& text) const override;
    bool ReadControlValue(const LMessage& msg, float& value) const override;
    bool ReadControlText(const LMessage& msg, LStringRef& text) const override;

    uint32_t Chars() const { return fChars; }
    uint32_t Lines() const { return fLines; }
    bool IsMultiLine() const { return fLines >= 2; }

private:
    uint32_t fChars;
    uint32_t fLines;
};
