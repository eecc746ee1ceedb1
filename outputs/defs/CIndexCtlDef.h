#pragma once
#include "outputs/defs/CValueCtlDef.h"

// A static text showing a row's index plus "base".
class CIndexCtlDef : public CValueCtlDef {
public:
    explicit CIndexCtlDef(const CDefList& block);
    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    // The text shown for a value: the truncated value plus the base.
    LStringRef IndexText(float value) const;
    LStringRef ShownText(float value) const override { return IndexText(value); }
    // A static text that reports nothing.
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
    void SetControlValue(LPane& control, float value) const override;
    int32_t Base() const { return fBase; }

private:
    int32_t fBase;
};
