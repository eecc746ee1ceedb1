#pragma once
#include "outputs/defs/CValueCtlDef.h"

// A number field: display value = stored value × scale + base, shown with "prec" decimals
// (more when the scale needs them) within "min".."max".
class CNumericCtlDef : public CValueCtlDef {
public:
    explicit CNumericCtlDef(const CDefList& block);

    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    int32_t Precision() const override;
    // Shows stored × scale + base; reports (shown − base) / scale.
    LStringRef ShownText(float value) const override;
    bool StoredValue(double shown, float& value) const override;
    // A number field with "prec" decimals over "min".."max" by "step"; it reports
    // "CNumVol_Fix". A field the user is typing in keeps its text.
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
    void SetControlValue(LPane& control, float value) const override;
    bool ReadControlValue(const LMessage& msg, float& value) const override;

    // Characters the field needs for the widest value: sign, digits and decimals.
    int32_t WidthDigits() const;
    // The shown value of a stored one, and back.
    double ToDisplay(double stored) const { return stored * fScale + fBase; }
    double FromDisplay(double shown) const { return (shown - fBase) / fScale; }

    double Min() const { return fMin; }
    double Max() const { return fMax; }
    double Step() const { return fStep; }

private:
    double fMin;
    double fMax;
    double fStep;
    int32_t fPrec;
    double fScale;
    double fBase;
};
