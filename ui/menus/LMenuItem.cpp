#include "ui/menus/LMenuItem.h"

#include "ui/menus/KeyEquiv.h"
#include "ui/menus/LMenu.h"

const char* LMenuItem::msgSelected = "LMenuItem_Selected";

LMenuItem::LMenuItem(LMenu* menu) : LHandler(menu) {}

LMenuItem::~LMenuItem() = default;

LMenu* LMenuItem::Menu() const
{
    return static_cast<LMenu*>(Parent());
}

void LMenuItem::AddCommand(const LStringRef& name)
{
    if (!HasCommand(name.Text()))
        fCommands.push_back(name);
}

bool LMenuItem::HasCommand(const char* command) const
{
    for (const LStringRef& name : fCommands)
        if (name == (command ? command : ""))
            return true;
    return false;
}

LStringRef LMenuItem::GetCommandName() const
{
    return fCommands.empty() ? LStringRef() : fCommands.front();
}

void LMenuItem::SetKey(const LStringRef& text)
{
    hasKey = text.IsEmpty() ? 0 : 1;
    keyText = text;
    KeyEquiv::Parsed parsed;
    if (!KeyEquiv::Parse(text.Text(), parsed)) {
        keyChar = 0;
        modifiers = 0;
        return;
    }
    keyChar = parsed.key;
    modifiers = 0;
    if (parsed.mask & KeyEquiv::kShift)
        modifiers |= kModShift;
    if (parsed.mask & KeyEquiv::kOption)
        modifiers |= kModOption;
    if (parsed.mask & KeyEquiv::kControl)
        modifiers |= kModControl;
    if (!(parsed.mask & KeyEquiv::kCommand))
        modifiers |= kModNoCommand;
}

void LMenuItem::Reset()
{
    enabled = 0;
    checked = 0;
    title = defaultTitle;
}
