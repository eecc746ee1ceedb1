#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Menu;
class MenuItem;

// The user at the menu bar, for tests: opens menus, chooses items, presses key equivalents,
// and reads the menus back as text.
class MenuDriver {
public:
    // The item reached from the main menu through the titles (a menu of the bar first), null
    // when a title is missing on the way.
    static std::shared_ptr<MenuItem> Find(const std::vector<std::string>& titles);
    // Opens the bar's menus as the user would (observers hear BeginTracking, autoenabling
    // menus update) and chooses the item. True when its action was sent.
    static bool Choose(const std::vector<std::string>& titles);
    // A key press with modifier bits (kCommandKeyMask ...) offered to the main menu's key
    // equivalents. True when an item took it.
    static bool PressKey(const std::string& charactersIgnoringModifiers, uint32_t modifierFlags);
    // One line per item, submenus indented by two blanks under their item: "-" for a separator,
    // else the title, then " [" modifiers key "]" for a key equivalent (modifiers written as
    // "c" control, "o" option, "s" shift, "m" command), " disabled" and " checked" as they apply.
    static std::string Describe(const Menu& menu);
};

} // namespace plat
