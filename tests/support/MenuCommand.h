#pragma once
#include "foundation/core/LMessage.h"
#include "ui/menus/LMenuItem.h"

// A menu item of one command and its parameter, as the menu bar holds it when the user
// chooses the command.
class MenuCommand : public LMenuItem {
public:
    explicit MenuCommand(const char* command, const char* param = "") : LMenuItem(nullptr)
    {
        AddCommand(command);
        paramText = LStringRef(param);
    }
    // The message the menu bar sends a target when the user chooses the item.
    LMessage Selected(LHandler* target) { return LMessage(LMenuItem::msgSelected, this, target); }
};

// Chooses a command (with its parameter) as the menu bar sends it to `target`.
inline void ChooseCommand(LHandler* target, const char* command, const char* param = "")
{
    MenuCommand item(command, param);
    LMessage::Send(item.Selected(target));
}
