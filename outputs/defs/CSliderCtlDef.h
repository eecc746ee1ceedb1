#pragma once
#include "outputs/defs/CValueCtlDef.h"

#include <string>

// A slider over an integer range; "place" may replace its placement in a column.
class CSliderCtlDef : public CValueCtlDef {
public:
    explicit CSliderCtlDef(const CDefList& block);
    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    void PlaceInColumn(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    // A slider over "min".."max" at the initial value; reports "CSlider_Change".
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
    void SetControlValue(LPane& control, float value) const override;
    bool ReadControlValue(const LMessage& msg, float& value) const override;
    // Shows and reports whole numbers.
    LStringRef ShownText(float value) const override;
    bool StoredValue(double shown, float& value) const override;
    int32_t Min() const { return fMin; }
    int32_t Max() const { return fMax; }

private:
    int32_t fMin;
    int32_t fMax;
    std::string fPlace;
};
