#include "shell/windows/TranslateKeyEvent.h"
#include "foundation/input/LKeyboard.h"
#include "platform/window/Event.h"

void TranslateKeyEvent(LKeyboard& keyboard, const plat::Event& event)
{
    keyboard.modifiers = event.modifierFlags;
    if (!event.IsKey())
        return;
    keyboard.SetKey(event.characters.c_str(), event.charactersIgnoringModifiers.c_str(), event.keyCode,
                    event.modifierFlags, &event);
}
