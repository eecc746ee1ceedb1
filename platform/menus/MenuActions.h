#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

class MenuItem;

// Modifier bits of key events and of menu key equivalents.
inline constexpr uint32_t kShiftKeyMask = 0x20000;
inline constexpr uint32_t kControlKeyMask = 0x40000;
inline constexpr uint32_t kOptionKeyMask = 0x80000;
inline constexpr uint32_t kCommandKeyMask = 0x100000;
inline constexpr uint32_t kKeyModifierMask = kShiftKeyMask | kControlKeyMask | kOptionKeyMask | kCommandKeyMask;

// One key press as the menus see it when they look for a key equivalent.
struct KeyPress {
    std::string characters;                 // UTF-8, with the modifiers applied
    std::string charactersIgnoringModifiers; // UTF-8, the key as typed with Shift alone
    uint32_t modifierFlags = 0;
};

// An object that menu items send their actions to. An action is a named selector
// ("menuitemchoosen:", "terminate:", "copy:"); the sender is the chosen item.
class ActionResponder {
public:
    virtual ~ActionResponder() = default;
    virtual bool RespondsTo(std::string_view action) const = 0;
    virtual void Perform(std::string_view action, MenuItem* sender) = 0;
    // Whether the item may be chosen now; asked only for items this object would perform.
    virtual bool ValidateMenuItem(const MenuItem& item) const;
};

// Finds the object that performs an action sent without a target: the application installs
// its responder chain here (focused field editor, key window, application delegate,
// application). Without a resolver untargeted actions go nowhere.
using NilTargetResolver = ActionResponder* (*)(void* context, std::string_view action);
void SetNilTargetResolver(NilTargetResolver resolver, void* context);
ActionResponder* ResolveNilTarget(std::string_view action);

// The object that would perform the item's action now: its target when it has one and that
// responds to the action, else the responder chain's answer; null when nobody would.
ActionResponder* ActionTargetFor(const MenuItem& item);
// Sends the item's action to its target; false when nobody performs it.
bool SendAction(MenuItem& item);
// The user chose the item: when it is enabled its action is sent, then the observers of its
// menu hear DidSendAction. False when it is disabled or nobody performed it.
bool ChooseItem(MenuItem& item);

} // namespace plat
