#include "controls/std/LScrollBar.h"

#include "foundation/core/StrEqual.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/Scroller.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cmath>

const char* LScrollBar::msgChange = "LScrollBar_Change";
const char* LScrollBar::msgPgUp = "LScrollBar_PgUp";
const char* LScrollBar::msgThumb = "LScrollBar_Thumb";
const char* LScrollBar::msgPgDw = "LScrollBar_PgDw";
const char* LScrollBar::msgUp = "LScrollBar_Up";
const char* LScrollBar::msgDw = "LScrollBar_Dw";

namespace {

std::unique_ptr<plat::Scroller> MakeScroller(uint32_t orientation, bool continuous)
{
    auto scroller = std::make_unique<plat::Scroller>();
    const double w = plat::Scroller::kWidth;
    if (orientation == LScrollBar::kVertical)
        scroller->SetSize(w, 2 * w);
    else
        scroller->SetSize(2 * w, w);
    scroller->SetContinuous(continuous);
    scroller->SetEnabled(false);
    return scroller;
}

float Unit(float value)
{
    return std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
}

} // namespace

LScrollBar::LScrollBar(LPane* parent, uint32_t orientation, bool continuous)
    : LStdCtl(parent, WrapNew(NewWithFont(0), MakeScroller(orientation, continuous), 0)),
      fOrientation(orientation), fContinuous(continuous)
{
    if (plat::Scroller* scroller = Scroller())
        scroller->SetEnabled(false);
}

plat::Scroller* LScrollBar::Scroller() const
{
    return dynamic_cast<plat::Scroller*>(NativeControl());
}

int32_t LScrollBar::GetValue() const
{
    const plat::Scroller* scroller = Scroller();
    if (fMaximum <= fMinimum || !scroller)
        return fMinimum;
    const float span = static_cast<float>(fMaximum) - static_cast<float>(fMinimum);
    const float value = static_cast<float>(fMinimum) + span * static_cast<float>(scroller->Value());
    return static_cast<int32_t>(std::round(value));
}

void LScrollBar::SetValue(int32_t value)
{
    plat::Scroller* scroller = Scroller();
    if (!scroller)
        return;
    const float fraction = fMaximum > fMinimum
        ? Unit((static_cast<float>(value) - fMinimum) / (static_cast<float>(fMaximum) - fMinimum)) : 0.0f;
    scroller->SetValue(fraction);
    NativeView()->SetNeedsDisplay();
}

void LScrollBar::SetRange(int32_t value, int32_t minimum, int32_t maximum, int32_t page)
{
    fMinimum = minimum;
    fMaximum = maximum;
    fPage = page;
    plat::Scroller* scroller = Scroller();
    if (!scroller)
        return;
    if (maximum > minimum) {
        const float span = static_cast<float>(maximum) - static_cast<float>(minimum);
        scroller->SetValueAndProportion(Unit((static_cast<float>(value) - minimum) / span),
                                        Unit(static_cast<float>(page) / (span + static_cast<float>(page))));
    }
    scroller->SetEnabled(maximum > minimum);
    NativeView()->SetNeedsDisplay();
}

void LScrollBar::StateChanged(int32_t event)
{
    if (event == kEventActivate && fMaximum <= fMinimum)
        return;
    LStdCtl::StateChanged(event);
}

int32_t LScrollBar::ScrollerWidth() const
{
    const plat::Window* window = NativeView() ? NativeView()->GetWindow() : nullptr;
    if (window && window->floatingPanel)
        return static_cast<int32_t>(plat::Scroller::kSmallWidth);
    return static_cast<int32_t>(plat::Scroller::kWidth);
}

int32_t LScrollBar::PrefWidth(LPaneContext*, int32_t)
{
    return IsVertical() ? ScrollerWidth() : 4 * ScrollerWidth();
}

int32_t LScrollBar::PrefHeight(LPaneContext*, int32_t)
{
    return IsVertical() ? 4 * ScrollerWidth() : ScrollerWidth();
}

void LScrollBar::Action()
{
    const plat::Scroller* scroller = Scroller();
    if (!scroller)
        return;
    using Part = plat::Scroller::Part;
    const char* type = nullptr;
    switch (scroller->HitPart()) {
    case Part::DecrementPage: type = msgPgUp; break;
    case Part::Knob: case Part::KnobSlot: type = msgThumb; break;
    case Part::IncrementPage: type = msgPgDw; break;
    case Part::DecrementLine: type = msgUp; break;
    case Part::IncrementLine: type = msgDw; break;
    default: return;
    }
    LMessage::Send(LMessage(type, this, Parent()));
}

void LScrollBar::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this) {
        int32_t step = 0;
        bool ours = true;
        if (StrEqual(msg.type, msgUp))
            step = -1;
        else if (StrEqual(msg.type, msgDw))
            step = 1;
        else if (StrEqual(msg.type, msgPgUp))
            step = -fPage;
        else if (StrEqual(msg.type, msgPgDw))
            step = fPage;
        else
            ours = StrEqual(msg.type, msgThumb);
        if (ours) {
            const int32_t old = GetValue();
            SetValue(static_cast<int32_t>(std::clamp<int64_t>(int64_t(old) + step, INT32_MIN, INT32_MAX)));
            if (step != 0 && GetValue() == old)
                LMessage::Clear(result);
            else
                LMessage::Make(result, msgChange, this, Parent());
            return;
        }
    }
    LStdCtl::HandleMessage(result, msg);
}
