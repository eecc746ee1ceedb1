#pragma once
#include "foundation/holders/CCFRef.h"
#include "foundation/core/LHandler.h"

#include <cstdint>

// The state of the keyboard: the subject of every key message ("LKeyboard_Down",
// "LKeyboard_Up", "LKeyboard_Char"). The window bridge fills it from each key event. One
// instance exists while the program runs; it has no parent.
class LKeyboard : public LHandler {
public:
    static const char* msgDown;
    static const char* msgUp;
    static const char* msgChar;
    // Modifier bit of the Shift key.
    static constexpr uint32_t kShiftFlag = 0x20000;

    LKeyboard();
    ~LKeyboard() override;
    // The program's keyboard state (the one made last and still alive); null when none.
    static LKeyboard* Current();

    // Fills the state from one key event: characters and the characters without modifiers as
    // UTF-8, the key code, the modifier flags and the platform event. Sets the character flag.
    void SetKey(const char* characters, const char* plainCharacters, uint32_t code, uint32_t modifierFlags,
                const plat::Shared* platformEvent);
    // Sends "LKeyboard_Down" to window; when a handler cleared the character flag on the way,
    // sets it again and sends "LKeyboard_Char".
    void DeliverKeyDown(LHandler* window);
    // Sends "LKeyboard_Up" to window.
    void DeliverKeyUp(LHandler* window);

    // Modifier keys held with the current key event.
    bool IsShift() const { return modifiers & 0x20000; }
    bool IsControl() const { return modifiers & 0x40000; }
    bool IsOption() const { return modifiers & 0x80000; }
    bool IsCommand() const { return modifiers & 0x100000; }
    // Navigation keys: 1 left, 2 right, 3 up, 4 down, 5 enter (Enter, Return or line feed); 0 otherwise.
    int32_t GetNavKey() const;
    // The character without modifiers, upper-cased.
    uint8_t UpperChar() const;

    uint8_t character = 0;     // first byte of the characters; Shift-Tab (25) reads as Tab (9)
    uint32_t keyCode = 0;
    uint32_t modifiers = 0;
    uint8_t charFlag = 0;      // cleared by a handler that wants the key as a character
    CCFRef event;
    uint32_t charCode = 0;     // the first character, decoded from UTF-8
    uint8_t plainCharacter = 0; // first byte of the characters without modifiers
    uint32_t serial = 0;       // counts the key events, so that a handler tells one from the next
};
