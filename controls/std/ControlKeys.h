#pragma once

class LKeyboard;
class LMessage;
class LStdCtl;

// The keyboard's part in the standard controls: push buttons, state buttons, check boxes,
// pop-up lists and sliders are Tab stops that show a focus ring while they hold the focus, and
// Space presses or toggles a focused button; the arrow keys move a focused slider.
namespace ControlKeys {

// Whether the control's native model is one a person works by keyboard: then it is a Tab stop.
bool IsKeyboardControl(const LStdCtl& control);
// Shows or hides the native control's focus ring as the pane's focus state says.
void SyncFocusRing(LStdCtl& control);
// The keyboard of a key-down message meant for the control: it is active and holds the focus, and
// no command, control or option key is held. Null otherwise.
const LKeyboard* FocusedKeyDown(LStdCtl& control, const LMessage& msg);
// Space pressed on the focused control: a button is pressed as by a click. True when taken.
bool PressBySpace(LStdCtl& control, const LMessage& msg);

} // namespace ControlKeys
