#include "foundation/input/LKeyboard.h"

#include <cctype>

const char* LKeyboard::msgDown = "LKeyboard_Down";
const char* LKeyboard::msgUp = "LKeyboard_Up";
const char* LKeyboard::msgChar = "LKeyboard_Char";

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

// The first character of a UTF-8 text; 0 for an empty text, U+FFFD for a broken sequence.
uint32_t FirstCharacter(const unsigned char* s)
{
    if (!s || !s[0])
        return 0;
    if (s[0] < 0x80)
        return s[0];
    int extra = 0;
    uint32_t code = 0, least = 0;
    if ((s[0] & 0xE0) == 0xC0) { extra = 1; code = s[0] & 0x1F; least = 0x80; }
    else if ((s[0] & 0xF0) == 0xE0) { extra = 2; code = s[0] & 0x0F; least = 0x800; }
    else if ((s[0] & 0xF8) == 0xF0) { extra = 3; code = s[0] & 0x07; least = 0x10000; }
    else return kReplacement;
    for (int i = 1; i <= extra; ++i) {
        if ((s[i] & 0xC0) != 0x80) // also stops at the terminating NUL
            return kReplacement;
        code = (code << 6) | (s[i] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kReplacement;
    return code;
}

} // namespace

namespace {
LKeyboard* gCurrentKeyboard = nullptr;
}

LKeyboard::LKeyboard() : LHandler(nullptr)
{
    gCurrentKeyboard = this;
}

LKeyboard::~LKeyboard()
{
    if (gCurrentKeyboard == this)
        gCurrentKeyboard = nullptr;
    event.Reset();
}

LKeyboard* LKeyboard::Current()
{
    return gCurrentKeyboard;
}

void LKeyboard::SetKey(const char* characters, const char* plainCharacters, uint32_t code, uint32_t modifierFlags,
                       const plat::Shared* platformEvent)
{
    const auto* chars = reinterpret_cast<const unsigned char*>(characters);
    character = chars ? chars[0] : 0;
    if (character == 25 && (modifierFlags & kShiftFlag))
        character = 9;
    plainCharacter = plainCharacters ? uint8_t(plainCharacters[0]) : 0;
    charCode = FirstCharacter(chars);
    keyCode = code;
    modifiers = modifierFlags;
    event.AssignRetain(platformEvent);
    ++serial;
    charFlag = 1;
}

void LKeyboard::DeliverKeyDown(LHandler* window)
{
    charFlag = 1;
    LMessage::Send(LMessage(msgDown, this, window));
    if (charFlag)
        return;
    charFlag = 1;
    LMessage::Send(LMessage(msgChar, this, window));
}

void LKeyboard::DeliverKeyUp(LHandler* window)
{
    LMessage::Send(LMessage(msgUp, this, window));
}

int32_t LKeyboard::GetNavKey() const
{
    switch (charCode) {
    case 0xF700: return 3;
    case 0xF701: return 4;
    case 0xF702: return 1;
    case 0xF703: return 2;
    default: break;
    }
    return (character == 3 || character == 10 || character == 13) ? 5 : 0;
}

uint8_t LKeyboard::UpperChar() const
{
    return static_cast<uint8_t>(std::toupper(plainCharacter));
}
