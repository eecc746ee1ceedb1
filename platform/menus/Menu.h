#pragma once
#include "platform/menus/MenuActions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class MenuItem;

// A native menu: a title and an ordered list of items, some of which open submenus. The
// application's menu bar is one such menu (see MainMenu.h) whose items' submenus are the
// menus shown in the bar. Main thread only.
class Menu : public std::enable_shared_from_this<Menu> {
public:
    static std::shared_ptr<Menu> Make(std::string title);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& Title() const { return fTitle; }
    void SetTitle(std::string title) { fTitle = std::move(title); }

    // While set, Update enables each item by asking the object that would perform it.
    bool AutoenablesItems() const { return fAutoenables; }
    void SetAutoenablesItems(bool on) { fAutoenables = on; }

    size_t Count() const { return fItems.size(); }
    // The item at index, null past the end.
    std::shared_ptr<MenuItem> ItemAt(size_t index) const;
    // Position of an item, -1 when it is not in this menu.
    int IndexOf(const MenuItem* item) const;
    // Position of the item whose submenu is the given menu, -1 when none.
    int IndexOfSubmenu(const Menu* submenu) const;
    // The first item with that title, null when none.
    std::shared_ptr<MenuItem> ItemWithTitle(const std::string& title) const;

    // Inserts at index (clamped to the count). An item already in a menu leaves it first.
    void Insert(const std::shared_ptr<MenuItem>& item, size_t index);
    void Add(const std::shared_ptr<MenuItem>& item) { Insert(item, fItems.size()); }
    // Removes the item at index; nothing past the end.
    void RemoveAt(size_t index);
    void Remove(const MenuItem* item);
    void RemoveAll();

    // The menu whose item opens this one, null for a top-level menu.
    Menu* Supermenu() const;
    // The item that opens this menu, null when none.
    MenuItem* OwnerItem() const { return fOwnerItem; }

    // Updates the enabled state of every item when the menu autoenables them.
    void Update();
    // Looks for an enabled item whose key equivalent matches the key press, in this menu and
    // then its submenus, and sends its action. True when an item took the key.
    virtual bool PerformKeyEquivalent(const KeyPress& key);
    // The item (in this menu or its submenus) whose key equivalent matches, null when none.
    std::shared_ptr<MenuItem> ItemForKey(const KeyPress& key) const;

protected:
    explicit Menu(std::string title);

private:
    friend class MenuItem;
    void Detach(MenuItem& item);

    std::string fTitle;
    bool fAutoenables = true;
    std::vector<std::shared_ptr<MenuItem>> fItems;
    MenuItem* fOwnerItem = nullptr;
};

// Whether an item's key equivalent matches a key press: the same key ignoring case, with
// exactly the same Shift, Control, Option and Command keys (an upper-case equivalent asks
// for Shift). A key other than a letter is the character typed with Shift: "?" is matched by
// the key that types it, Shift held or not, unless the equivalent asks for Shift itself.
bool KeyEquivalentMatches(const MenuItem& item, const KeyPress& key);

} // namespace plat
