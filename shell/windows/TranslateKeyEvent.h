#pragma once

class LKeyboard;
namespace plat {
class Event;
}

// Fills the keyboard state from an event: always the modifier flags; for key down, key up and
// flag changes also the characters, key code and the event itself (Shift-Tab reads as Tab).
void TranslateKeyEvent(LKeyboard& keyboard, const plat::Event& event);
