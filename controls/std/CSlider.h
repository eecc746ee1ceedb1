#pragma once
#include "controls/std/LStdCtl.h"

namespace plat {
class Slider;
}

// An integer slider. A press reports "CSlider_Click", every move of the knob "CSlider_Change"
// and the release "LStdCtl_Selected"; while the user drags, program updates leave the knob alone.
// While it holds the focus, Left and Down move the knob one step lower, Right and Up one step
// higher, Home and End to the ends, each key reporting as a drag to that place does.
class CSlider : public LStdCtl {
public:
    static const char* msgClick;
    static const char* msgChange;

    explicit CSlider(LPane* parent);

    void SetRange(int32_t minimum, int32_t maximum);
    // Moves the knob, unless the user is dragging it.
    void SetValue(int32_t value);
    int32_t GetValue() const;
    int32_t GetMax() const;
    bool IsTracking() const { return fTracking; }

    void RectChanged(const CLRect& old) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;
    void ForwardMouseDown(LMessage& result, const CLPoint& point) override;
    void Action() override;
    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Reports the start of a drag; answers whether tracking shall go on.
    virtual bool Click();

private:
    plat::Slider* Slider() const;
    // An arrow, Home or End key on the focused slider: true when taken.
    bool MoveByKey(const LMessage& msg);

    bool fTracking = false;
};
