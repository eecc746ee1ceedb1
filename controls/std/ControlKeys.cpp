#include "controls/std/ControlKeys.h"
#include "controls/std/LStdCtl.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/Slider.h"
#include "platform/window/View.h"

namespace ControlKeys {

namespace {

constexpr uint8_t kSpace = ' ';

bool IsKeyboardModel(const plat::Control* model)
{
    return dynamic_cast<const plat::Button*>(model) || dynamic_cast<const plat::PopUpButton*>(model) ||
           dynamic_cast<const plat::Slider*>(model);
}

} // namespace

bool IsKeyboardControl(const LStdCtl& control)
{
    return IsKeyboardModel(control.NativeControl());
}

void SyncFocusRing(LStdCtl& control)
{
    plat::Control* model = control.NativeControl();
    if (!model)
        return;
    const bool shows = control.HasFlags(kPaneShowsFocusWhen) && control.FocusTarget() == &control;
    if (model->ShowsFocus() == shows)
        return;
    model->SetShowsFocus(shows);
    if (plat::View* view = control.NativeView())
        view->SetNeedsDisplay();
}

const LKeyboard* FocusedKeyDown(LStdCtl& control, const LMessage& msg)
{
    const auto* keyboard = dynamic_cast<const LKeyboard*>(msg.subject);
    if (!keyboard || !StrEqual(msg.type, LKeyboard::msgDown))
        return nullptr;
    if (keyboard->IsCommand() || keyboard->IsControl() || keyboard->IsOption())
        return nullptr;
    if (!control.IsFullyActive() || control.FocusTarget() != &control)
        return nullptr;
    return keyboard;
}

bool PressBySpace(LStdCtl& control, const LMessage& msg)
{
    const LKeyboard* keyboard = FocusedKeyDown(control, msg);
    if (!keyboard || keyboard->character != kSpace)
        return false;
    // A pop-up list opens and takes the keys until a choice or Escape closes it.
    if (dynamic_cast<plat::PopUpButton*>(control.NativeControl())) {
        if (auto* view = dynamic_cast<plat::ControlView*>(control.NativeView()))
            view->OpenListFromKeyboard();
        return true;
    }
    auto* button = dynamic_cast<plat::Button*>(control.NativeControl());
    if (!button)
        return false;
    button->PerformClick();
    if (plat::View* view = control.NativeView())
        view->SetNeedsDisplay();
    return true;
}

} // namespace ControlKeys
