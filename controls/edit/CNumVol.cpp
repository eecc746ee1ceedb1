#include "controls/edit/CNumVol.h"

#include "controls/edit/NumberEntry.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/text/KeyRepeat.h"
#include "platform/system/InputSettings.h"

#include <algorithm>
#include <cstdlib>

const char* CNumVol::msgMove = "CNumVol_Move";
const char* CNumVol::msgFix = "CNumVol_Fix";
const char* CNumVol::msgStep = "CGenCtlEv_Step";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";
constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr const char* kMouseWheel = "LMouse_Wheel";
// A drag begins only after the pointer moved this far from the press.
constexpr int32_t kDragThreshold = 5;

CLPoint MouseLocation()
{
    const LMouse* mouse = LMouse::Current();
    return mouse ? mouse->location : CLPoint{};
}

} // namespace

CNumVol::CNumVol(LPane* parent, uint32_t decimals, uint32_t style)
    : LNumEdit(parent, decimals != 0, style), fDecimals(decimals)
{
}

CNumVol::~CNumVol() = default;

void CNumVol::SetRange(float minimum, float maximum, float step)
{
    fMinimum = minimum;
    fMaximum = maximum;
    fStep = step;
}

void CNumVol::SetValue(double value)
{
    fBlank = false;
    SetRawValue(NumberEntry::Limit(value, fMinimum, fMaximum));
    SelectText();
}

void CNumVol::SetDecimals(uint32_t decimals)
{
    if (decimals == fDecimals)
        return;
    const double value = GetValue();
    fDecimals = decimals;
    SetPointAllowed(decimals != 0);
    SetValue(value);
}

bool CNumVol::StepBy(int32_t n)
{
    const double before = GetValue();
    fBlank = false;
    SetRawValue(NumberEntry::StepBy(before, n, fStep, fMinimum, fMaximum));
    SelectText();
    return GetValue() != before;
}

double CNumVol::GetValue()
{
    return LNumEdit::GetValue();
}

void CNumVol::SetRawValue(double value)
{
    LNumEdit::SetValue(fDecimals, value);
}

void CNumVol::SelectText()
{
    SelectAll();
}

int32_t CNumVol::ClickStepDirection(const CLPoint& point)
{
    fPendingStep = point.x < (Rect().left + Rect().right + 1) / 2 ? -1 : 1;
    return fPendingStep;
}

double CNumVol::WheelStepAt(const CLPoint& point)
{
    const LStringRef text = GetText();
    if (text.IsEmpty())
        return 0.0;
    const int32_t width = MeasureTextWidth(nullptr, text);
    const int32_t border = PrefWidth(nullptr, -11);
    return NumberEntry::WheelStepAt(text.View(), width, point.x - (Rect().left + border), fDecimals);
}

int32_t CNumVol::KeyStep()
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!keyboard || !(keyboard->modifiers & 0x40000))
        return 0;
    const int32_t nav = keyboard->GetNavKey();
    if (nav != 3 && nav != 4)
        return 0;
    const double increment = NumberEntry::KeyStepIncrement(keyboard->IsShift(), fStep, fMinimum, fMaximum);
    if (!(increment > 0))
        return 2;
    const double before = GetValue();
    SetValue((nav == 3 ? 1 : -1) * increment + before);
    return GetValue() != before ? 1 : 2;
}

void CNumVol::Report(LMessage& result, const char* type)
{
    LMessage::Make(result, type, this, Parent());
}

bool CNumVol::HandleMouse(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseClick)) {
        fMoved = false;
        fDragOrigin = MouseLocation();
        ClickStepDirection(MouseInPane(*this));
        if (!fRepeat)
            fRepeat = std::make_unique<LTimer>(this);
        fRepeat->Start(static_cast<uint32_t>(KeyRepeatDelay(plat::KeyRepeatDelayTicks())));
        LMessage::Send(LMessage(msgReqCapture, this, Parent()));
        if (!HasFlags(kPaneFocused | kPaneKeyWindow)) {
            FocusAndSelect();
            SelectText();
            LMessage::Clear(result);
        } else if (!StepBy(fPendingStep)) {
            LMessage::Clear(result);
        } else {
            ClearEdited();
            fMoved = true;
            Report(result, msgMove);
        }
        return true;
    }
    if (StrEqual(msg.type, kMouseMove)) {
        const CLPoint now = MouseLocation();
        const int32_t dx = now.x - fDragOrigin.x;
        const int32_t dy = fDragOrigin.y - now.y;
        const int32_t d = std::abs(dx) < std::abs(dy) ? dy : dx;
        LMessage::Clear(result);
        if (fPendingStep != 0 && std::abs(d) < kDragThreshold)
            return true;
        fRepeat.reset();
        fPendingStep = 0;
        fDragOrigin = now;
        const int64_t steps = int64_t((std::abs(d) + 3) >> 2) * d;
        if (StepBy(static_cast<int32_t>(std::clamp<int64_t>(steps, INT32_MIN, INT32_MAX)))) {
            ClearEdited();
            fMoved = true;
            Report(result, msgMove);
        }
        return true;
    }
    if (StrEqual(msg.type, kMouseRelease)) {
        fRepeat.reset();
        if (fMoved)
            Report(result, msgFix);
        else
            LMessage::Clear(result);
        return true;
    }
    if (StrEqual(msg.type, kMouseCursor)) {
        LMouse::SetCursor(0);
        LMessage::Clear(result);
        return true;
    }
    return false;
}

void CNumVol::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == LMouse::Current() && msg.subject && HandleMouse(result, msg))
        return;
    if (StrEqual(msg.type, kMouseWheel) && HasFlags(kPaneFocused | kPaneKeyWindow) && LMouse::Current()) {
        const double size = WheelStepAt(MouseInPane(*this));
        const int32_t n = LMouse::Current()->TakeWheelStepsY(1, 0);
        const double before = GetValue();
        SetValue(n * size + before);
        if (GetValue() != before) {
            ClearEdited();
            Report(result, msgFix);
        } else {
            LMessage::Clear(result);
        }
        return;
    }
    if (StrEqual(msg.type, msgStep)) {
        if (const auto* step = dynamic_cast<const CGenCtlStep*>(msg.subject)) {
            if (StepBy(NumberEntry::ScaleExternalStep(step->count, fMinimum, fMaximum, fStep))) {
                ClearEdited();
                Report(result, msgFix);
                return;
            }
        }
        LNumEdit::HandleMessage(result, msg);
        return;
    }
    if (fRepeat && msg.subject == fRepeat.get() && StrEqual(msg.type, LTimer::msgExpire)) {
        if (fPendingStep == 0 || !StepBy(fPendingStep)) {
            LMessage::Clear(result);
            return;
        }
        ClearEdited();
        fMoved = true;
        fRepeat->Start(static_cast<uint32_t>(KeyRepeatInterval(plat::KeyRepeatIntervalTicks())));
        Report(result, msgMove);
        return;
    }
    if (StrEqual(msg.type, LKeyboard::msgDown)) {
        const int32_t taken = KeyStep();
        if (taken == 1) {
            ClearEdited();
            Report(result, msgFix);
            return;
        }
        if (taken == 2) {
            LMessage::Clear(result);
            return;
        }
    }
    if (msg.subject == this && StrEqual(msg.type, msgMove)) {
        fMoved = false;
        Report(result, msgFix);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgEnter)) {
        SetRawValue(NumberEntry::Limit(GetValue(), fMinimum, fMaximum));
        SelectText();
        Report(result, msgFix);
        return;
    }
    LNumEdit::HandleMessage(result, msg);
}

void CNumVol::DrawText(LPortState& port, const CLRect& rect) const
{
    // A blank field draws its frame and background without the text.
    if (!fBlank)
        LNumEdit::DrawText(port, rect);
}
