#include "controls/std/CSlider.h"

#include "platform/controls/ControlView.h"
#include "platform/controls/Slider.h"
#include "platform/draw/Font.h"

#include <cmath>

const char* CSlider::msgClick = "CSlider_Click";
const char* CSlider::msgChange = "CSlider_Change";

namespace {

// The thickness of a slider: the desktop's theme metric has no counterpart here.
constexpr int32_t kSliderThickness = 22;

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
