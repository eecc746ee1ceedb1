#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LStringRef.h"
#include "ui/LTimer.h"

#include <cstdint>

class LMenu;
class LMenuItem;
class LResourceSource;
class LStrList;

namespace plat {
class MenuItem;
}

// The application's menus, built from a 'TMNB' string list (one 'TMNU' list name per item).
// The first bar made is the current one: its menus stand in the native menu bar. Menu
// readiness: ResetItems, then "LMenuBar_Ready" climbs from the command target; each handler
// enables its commands; the message ends at the bar, which copies the state into the native
// menus. Main thread only.
class LMenuBar : public LHandler {
public:
    static const char* msgReady;
    static const char* msgAdded;

    enum class KeepDisabled { No, Yes };

    // Builds one menu per item of the list (owned by the bar) and schedules one update.
    LMenuBar(LHandler* parent, LStrList& list, LResourceSource* source);
    // Builds from the 'TMNB' list of that name.
    LMenuBar(LHandler* parent, const char* listName, LResourceSource* source);
    // Removes every menu (deleting those it owns) and stops being the current bar.
    ~LMenuBar() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // Appends a menu; the current bar (or a negative index) also puts it into the native bar
    // (index 0: at the end).
    void AppendMenu(LMenu* menu, int32_t index);
    // Appends a menu that visits the bar (a frame's), natively just before `before`, or at
    // the end when there is none.
    void AddMenu(LMenu* menu, const LMenu* before);
    // Takes a menu of the bar out (the native bar too); the bar stops owning it.
    void RemoveMenu(LMenu* menu);
    // The first menu of that name in bar order, else the first such submenu depth first.
    LMenu* FindMenu(const char* name) const;
    // Where a menu is: in the bar (parent null) or in a parent menu; -1 when nowhere.
    int32_t FindMenuPosition(const LMenu* menu, LMenu** parent) const;

    // Every item, submenus included: disabled, unchecked, default title.
    void ResetItems();
    // Every still disabled item carrying the command is enabled (unless kept disabled) and,
    // with a non-empty title, takes it.
    void EnableCommand(const char* command, const LStringRef& title = LStringRef(),
                       KeepDisabled keep = KeepDisabled::No);
    // Checks every item of the command whose title equals the given one (any when empty);
    // true when one was checked.
    bool CheckCommand(const char* command, const LStringRef& title = LStringRef());

    // The enabled leaf item carrying the command / with that key text / behind the native
    // item. While a command target is set, the selection goes to it as "LMenuItem_Selected"
    // and the answer is null.
    LMenuItem* SelectCommand(const char* command);
    LMenuItem* SelectKey(const char* keyText);
    LMenuItem* SelectNativeItem(const plat::MenuItem* native);

    // The handler that catches every selection while set (null: none).
    static void SetCommandTarget(LHandler* handler);
    static LHandler* CommandTarget();
    // Calls function(context, item) for every item, each before its submenu's items.
    void ForEachItem(void* context, void (*function)(void* context, LMenuItem* item)) const;
    // Calls function(context, bar) with the current bar when there is one.
    static void WithMainBar(void* context, void (*function)(void* context, LMenuBar* bar));
    // The current bar, null when none.
    static LMenuBar* Current();

    // Copies every menu's state into its native menu.
    void UpdateNative();

    const LList& Menus() const { return fMenus; }

private:
    void Build(LStrList& list, LResourceSource* source);
    LMenuItem* Select(LMenuItem* found);
    bool IsCurrent() const { return Current() == this; }

    LList fMenus;
    LTimer fTimer;
};
