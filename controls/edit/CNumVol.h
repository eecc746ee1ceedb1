#pragma once
#include "controls/edit/LNumEdit.h"
#include "foundation/geometry/CLPoint.h"
#include "ui/LTimer.h"

#include <memory>

// The subject of an external step event ("CGenCtlEv_Step"): a signed count of steps.
class CGenCtlStep : public LHandler {
public:
    explicit CGenCtlStep(int32_t steps) : LHandler(nullptr), count(steps) {}
    int32_t count;
};

// A value field: a number between a minimum and a maximum with a step and a number of decimals,
// changed by typing, by clicking (left half down, right half up, repeating while held), by
// dragging (faster with speed), by Control-Up/Down, by the wheel (the digit under the pointer)
// or by external step events. Reports "CNumVol_Move" while the value changes and "CNumVol_Fix"
// when a change is complete.
class CNumVol : public LNumEdit {
public:
    static const char* msgMove;
    static const char* msgFix;
    static const char* msgStep;

    CNumVol(LPane* parent, uint32_t decimals, uint32_t style);
    ~CNumVol() override;

    // Stores the range and step; the value is not limited again until it next changes.
    void SetRange(float minimum, float maximum, float step);
    // The value limited to the range, written and selected.
    void SetValue(double value);
    void SetDecimals(uint32_t decimals);
    // value + n x step, limited; answers whether the value read back changed.
    bool StepBy(int32_t n);

    uint32_t Decimals() const { return fDecimals; }
    float Minimum() const { return fMinimum; }
    float Maximum() const { return fMaximum; }
    float Step() const { return fStep; }
    LTimer* RepeatTimer() const { return fRepeat.get(); }
    void SetBlank(bool blank) { fBlank = blank; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void DrawText(LPortState& port, const CLRect& rect) const override;

    // 0 not taken, 1 changed, 2 taken without a change.
    virtual int32_t KeyStep();
    virtual int32_t ClickStepDirection(const CLPoint& point);
    virtual double WheelStepAt(const CLPoint& point);
    virtual double GetValue();
    virtual void SetRawValue(double value);
    virtual void SelectText();

private:
    bool HandleMouse(LMessage& result, const LMessage& msg);
    void Report(LMessage& result, const char* type);

    uint32_t fDecimals;
    CLPoint fDragOrigin;
    std::unique_ptr<LTimer> fRepeat;
    bool fMoved = false;
    bool fBlank = false;
    int32_t fPendingStep = 0;
    float fMinimum = 0.0f;
    float fMaximum = 100.0f;
    float fStep = 1.0f;
};
