#include "ui/menus/KeyEquiv.h"

#include "foundation/core/LStrStream.h"
#include "foundation/input/LKeyboard.h"

namespace {

constexpr uint32_t kShiftFlag = 0x20000;
constexpr uint32_t kControlFlag = 0x40000;
constexpr uint32_t kOptionFlag = 0x80000;
constexpr uint32_t kCommandFlag = 0x100000;

bool IsPrintable(uint32_t c)
{
    return c >= 32 && c <= 126;
}

bool IsLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

uint8_t UpperKey(const LKeyboard& keyboard)
{
    const uint8_t c = keyboard.plainCharacter;
    return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 'a' + 'A') : c;
}

} // namespace

namespace KeyEquiv {

bool Parse(const char* text, Parsed& out)
{
    if (!text)
        return false;
    uint32_t mask = kCommand;
    const char* p = text;
    for (; *p >= 'a' && *p <= 'z'; ++p) {
        switch (*p) {
        case 'c': mask |= kControl; break;
        case 'o': mask |= kOption; break;
        case 's': mask |= kShift; break;
        case 'n': mask &= ~kCommand; break;
        default: break;
        }
    }
    const auto key = static_cast<uint8_t>(*p);
    if (!IsPrintable(key))
        return false; // also the end of the text
    out.key = key;
    out.mask = mask;
    return true;
}

bool WriteSpec(const LKeyboard& keyboard, LStrStream& out)
{
    const uint8_t key = UpperKey(keyboard);
    if (!IsPrintable(key))
        return false;
    const uint32_t flags = keyboard.modifiers;
    if (flags & kControlFlag)
        out.PutChar('c');
    if (flags & kOptionFlag)
        out.PutChar('o');
    if ((flags & kShiftFlag) && IsLetter(key))
        out.PutChar('s');
    if (!(flags & kCommandFlag))
        out.PutChar('n');
    out.PutChar(static_cast<char>(key));
    return true;
}

bool WriteDisplay(const LKeyboard& keyboard, LStrStream& out)
{
    const uint32_t flags = keyboard.modifiers;
    Parsed parsed;
    parsed.key = UpperKey(keyboard);
    if (flags & kControlFlag)
        parsed.mask |= kControl;
    if (flags & kOptionFlag)
        parsed.mask |= kOption;
    if ((flags & kShiftFlag) && IsLetter(parsed.key))
        parsed.mask |= kShift;
    if (flags & kCommandFlag)
        parsed.mask |= kCommand;
    return Render(parsed, out);
}

bool Render(const Parsed& parsed, LStrStream& out)
{
    if (!IsPrintable(parsed.key))
        return false;
    // Ctrl plays the command key, Alt the option key and Super the control key.
    if (parsed.mask & kControl)
        out.Write("Super+");
    if (parsed.mask & kCommand)
        out.Write("Ctrl+");
    if (parsed.mask & kOption)
        out.Write("Alt+");
    if (parsed.mask & kShift)
        out.Write("Shift+");
    if (parsed.key == ' ')
        out.Write("Space");
    else
        out.PutChar(static_cast<char>(parsed.key));
    return true;
}

bool HasMenuModifier(const LKeyboard& keyboard)
{
    return (keyboard.modifiers & (kControlFlag | kOptionFlag | kCommandFlag)) != 0;
}

} // namespace KeyEquiv
