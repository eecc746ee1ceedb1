#include "platform/controls/KeyCommand.h"

#include "platform/window/Event.h"

namespace plat {

uint32_t FirstCharacter(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(text[i])); };
    const uint32_t lead = byte(0);
    size_t extra = 0;
    uint32_t value = lead;
    if (lead >= 0xF0) { extra = 3; value = lead & 0x07; }
    else if (lead >= 0xE0) { extra = 2; value = lead & 0x0F; }
    else if (lead >= 0xC0) { extra = 1; value = lead & 0x1F; }
    else if (lead >= 0x80) return 0;
    if (text.size() <= extra)
        return 0;
    for (size_t i = 1; i <= extra; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    return value;
}

std::optional<FieldEditor::Command> KeyToCommand(uint32_t character, uint32_t modifierFlags)
{
    using Cmd = FieldEditor::Command;
    const bool shift = modifierFlags & kModShift;
    switch (character) {
    case 0xF700: return shift ? Cmd::MoveUpExtend : Cmd::MoveUp;
    case 0xF701: return shift ? Cmd::MoveDownExtend : Cmd::MoveDown;
    case 0xF702: return shift ? Cmd::MoveLeftExtend : Cmd::MoveLeft;
    case 0xF703: return shift ? Cmd::MoveRightExtend : Cmd::MoveRight;
    case 0xF729: return Cmd::MoveToStart;
    case 0xF72B: return Cmd::MoveToEnd;
    case 8:
    case 127: return Cmd::DeleteBackward;
    case 0xF728: return Cmd::DeleteForward;
    case 3:
    case 10:
    case 13: return Cmd::InsertNewline;
    case 9: return shift ? Cmd::InsertBacktab : Cmd::InsertTab;
    case 25: return Cmd::InsertBacktab;
    case 27: return Cmd::Cancel;
    default: return std::nullopt;
    }
}

} // namespace plat
