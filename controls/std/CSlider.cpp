#include "controls/std/CSlider.h"

#include "controls/std/ControlKeys.h"
#include "foundation/input/LKeyboard.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/Slider.h"
#include "platform/draw/Font.h"

#include <algorithm>
#include <cmath>

const char* CSlider::msgClick = "CSlider_Click";
const char* CSlider::msgChange = "CSlider_Change";

namespace {

// The thickness of a slider: the desktop's theme metric has no counterpart here.
constexpr int32_t kSliderThickness = 22;

// The function-key characters of the keys that move a focused slider.
constexpr uint32_t kUpKey = 0xF700;
constexpr uint32_t kDownKey = 0xF701;
constexpr uint32_t kLeftKey = 0xF702;
constexpr uint32_t kRightKey = 0xF703;
constexpr uint32_t kHomeKey = 0xF729;
constexpr uint32_t kEndKey = 0xF72B;

} // namespace

CSlider::CSlider(LPane* parent) : LStdCtl(parent, WrapNew(NewWithFont(0), std::make_unique<plat::Slider>(), 0)) {}

plat::Slider* CSlider::Slider() const
{
    return dynamic_cast<plat::Slider*>(NativeControl());
}

void CSlider::SetRange(int32_t minimum, int32_t maximum)
{
    if (plat::Slider* slider = Slider()) {
        slider->SetMinValue(minimum);
        slider->SetMaxValue(maximum);
        NativeView()->SetNeedsDisplay();
    }
}

void CSlider::SetValue(int32_t value)
{
    plat::Slider* slider = Slider();
    if (!slider || fTracking)
        return;
    slider->SetIntValue(value);
    NativeView()->SetNeedsDisplay();
}

int32_t CSlider::GetValue() const
{
    const plat::Slider* slider = Slider();
    return slider ? slider->IntValue() : 0;
}

int32_t CSlider::GetMax() const
{
    const plat::Slider* slider = Slider();
    return slider ? static_cast<int32_t>(std::round(slider->MaxValue())) : 0;
}

void CSlider::RectChanged(const CLRect& old)
{
    LStdCtl::RectChanged(old);
    if (plat::Slider* slider = Slider())
        slider->SetVertical(Rect().Height() > Rect().Width());
}

int32_t CSlider::PrefWidth(LPaneContext*, int32_t)
{
    return kSliderThickness;
}

int32_t CSlider::PrefHeight(LPaneContext*, int32_t hint)
{
    if (hint == -12 || hint == -10) {
        const plat::Font* font = Font().GetNSFont();
        return font ? static_cast<int32_t>(std::ceil(font->Ascender())) : 0;
    }
    return kSliderThickness;
}

void CSlider::DrawSelf(LPortState& port) const
{
    if (HasFlags(kPaneShown | kPaneHostShown))
        LStdCtl::DrawSelf(port);
}

bool CSlider::Click()
{
    LMessage::Send(LMessage(msgClick, this, Parent()));
    return true;
}

void CSlider::ForwardMouseDown(LMessage& result, const CLPoint& point)
{
    if (!Click()) {
        LMessage::Clear(result);
        return;
    }
    fTracking = true;
    LStdCtl::ForwardMouseDown(result, point);
    fTracking = false;
    LMessage::Make(result, msgSelected, this, Parent());
}

void CSlider::Action()
{
    LMessage::Send(LMessage(msgChange, this, Parent()));
}

void CSlider::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (MoveByKey(msg)) {
        LMessage::Clear(result);
        return;
    }
    LStdCtl::HandleMessage(result, msg);
}

bool CSlider::MoveByKey(const LMessage& msg)
{
    const LKeyboard* keyboard = ControlKeys::FocusedKeyDown(*this, msg);
    plat::Slider* slider = Slider();
    if (!keyboard || !slider || fTracking)
        return false;
    const auto lowest = static_cast<int32_t>(std::ceil(slider->MinValue()));
    const auto highest = static_cast<int32_t>(std::floor(slider->MaxValue()));
    const int32_t value = GetValue();
    int32_t target = value;
    switch (keyboard->charCode) {
    case kLeftKey:
    case kDownKey: target = value - 1; break;
    case kRightKey:
    case kUpKey: target = value + 1; break;
    case kHomeKey: target = lowest; break;
    case kEndKey: target = highest; break;
    default: return false;
    }
    target = std::clamp(target, lowest, std::max(lowest, highest));
    // At an end the key does nothing; otherwise it reports as a press, a move and a release.
    if (target == value || !Click())
        return true;
    slider->SetIntValue(target);
    NativeView()->SetNeedsDisplay();
    Action();
    LMessage::Send(LMessage(msgSelected, this, Parent()));
    return true;
}
