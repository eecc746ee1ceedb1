#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>
#include <vector>

class LMenuItem;
class LResourceSource;
class LStrList;

namespace plat {
class Menu;
class MenuItem;
}

// A framework menu built from a 'TMNU' string list: item 0 names the menu (line 1) and gives
// its title (line 2); every further item is an entry: command, title (empty: a separator),
// key equivalent, and the name of a 'TMNU' list for a submenu. Each menu keeps a native
// menu that mirrors its entries position for position. Every menu is listed in a
// process-wide registry while it lives.
class LMenu : public LHandler, public SSLink {
public:
    static const char* msgItemAdded;
    static const char* msgDestructing;
    // The title that makes a menu take over the application menu.
    static constexpr char kAppMenuTitle = 0x14;

    // Reads the list (resources of submenus come from `source`, null for the application's
    // chain), makes the native menu, enters the registry and builds the entries.
    LMenu(LHandler* parent, LStrList& list, LResourceSource* source);
    // Tells the chain ("LMenu_Destructing"), removes every entry, lets go of the native menu
    // and leaves the registry.
    ~LMenu() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // The entry behind a native item: the entry at the native item's position here, else the
    // same question to the submenus of the enabled entries.
    virtual LMenuItem* ItemForNative(const plat::MenuItem* native) const;

    // Makes an entry from one item text of a 'TMNU' list and inserts it at index.
    LMenuItem* MakeItem(const LStringRef& text, uint32_t index, LResourceSource* source);
    // Takes ownership of the item and inserts it: 0 first, n after entry n-1, past the end
    // at the end.
    void InsertItem(LMenuItem* item, uint32_t index);
    // Mirrors an inserted item into the native menu and announces it ("LMenu_ItemAdded").
    void AddItem(LMenuItem* item);
    // Takes the entry out (native item too); an owned entry is deleted with the submenu
    // this menu owns.
    void RemoveItem(LMenuItem* item);
    // Position of the entry, -1 when it is not here.
    int32_t IndexOf(const LMenuItem* item) const;
    LMenuItem* ItemAt(uint32_t index) const;
    uint32_t Count() const { return fCount; }
    const LList& Items() const { return fItems; }

    const LStringRef& Name() const { return fName; }
    const LStringRef& Title() const { return fTitle; }
    // The bar or menu that deletes this menu; null when none.
    LHandler* Owner() const { return fOwner; }
    void SetOwner(LHandler* owner) { fOwner = owner; }

    // Native side: the native menu, made with the menu, mirroring the entries.
    const std::shared_ptr<plat::Menu>& Native() const { return fNative; }
    uint32_t FirstNativeIndex() const { return fFirstNativeIndex; }
    // Copies the entries' state (titles, enabling, checks, keys, submenus) into the native
    // menu; native items of others (the application menu's own) are validated.
    void UpdateNative();
    // The entry at the native item's position in this menu, null when none.
    LMenuItem* GetItemAt(const plat::MenuItem* native) const;
    // Enters the menu bar: index 0 at the end, n before the (n-1)th menu; nothing when negative.
    void InsertInMenuBar(int32_t index);
    // Enters the menu bar just before the other menu, or at the end when there is none or it
    // is not in the bar.
    void InsertInMenuBarBefore(const LMenu* other);
    // Leaves the menu bar (the item whose submenu the native menu is goes).
    void RemoveFromMenuBar();

    // Every menu that lives now, in order of creation.
    static const std::vector<LMenu*>& Registry();

private:
    void BuildEntries(LStrList& list, LResourceSource* source);
    void DropSeparatorsBefore(LMenuItem* quit);
    // Deletes an entry taken out of the list when this menu owns it, with the submenu it owns.
    void ReleaseEntry(LMenuItem* item);
    LMenuItem* OpenSubmenu(LMenuItem* item, const LStringRef& name, LResourceSource* source);

    // Native side (see LMenuNative.cpp).
    void CreateNative();
    void ReleaseNative();
    void NativeInsertItem(uint32_t index, const LMenuItem& item);
    void NativeRemoveItem(uint32_t index);
    void ValidateNativeItems();
    void SyncNativeItem(uint32_t index, LMenuItem& item);

    uint32_t fFirstNativeIndex = 0;
    std::shared_ptr<plat::Menu> fNative;
    LStringRef fName;
    LStringRef fTitle;
    LHandler* fOwner = nullptr;
    LList fItems;
    uint32_t fCount = 0;   // entries in fItems, kept so that appending never walks the list
};

// Whether the item is a Quit item that stays out of the native menus: the application menu
// has the system's own Quit.
bool IsNativeQuitHidden(const LMenuItem& item);
