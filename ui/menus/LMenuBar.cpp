#include "ui/menus/LMenuBar.h"

#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuItem.h"
#include "ui/menus/LMenuTracer.h"

#include <functional>

const char* LMenuBar::msgReady = "LMenuBar_Ready";
const char* LMenuBar::msgAdded = "LMenuBar_Added";

namespace {

LMenuBar* gCurrentBar = nullptr;
LHandler* gCommandTarget = nullptr;

using ItemTest = std::function<bool(const LMenuItem&)>;

// One menu's own enabled leaf items first, then the submenus of its enabled items.
LMenuItem* FindInMenu(const LMenu& menu, const ItemTest& test)
{
    for (SSLink* link : menu.Items()) {
        auto* item = static_cast<LMenuItem*>(link);
        if (item->enabled && !item->submenu && test(*item))
            return item;
    }
    for (SSLink* link : menu.Items()) {
        const auto* item = static_cast<const LMenuItem*>(link);
        if (item->enabled && item->submenu)
            if (LMenuItem* found = FindInMenu(*item->submenu, test))
                return found;
    }
    return nullptr;
}

void VisitItems(const LMenu& menu, const std::function<void(LMenuItem&)>& visit)
{
    for (SSLink* link : menu.Items()) {
        auto* item = static_cast<LMenuItem*>(link);
        visit(*item);
        if (item->submenu)
            VisitItems(*item->submenu, visit);
    }
}

LMenu* FindSubmenu(const LMenu& menu, const char* name)
{
    for (SSLink* link : menu.Items()) {
        const auto* item = static_cast<const LMenuItem*>(link);
        if (!item->submenu)
            continue;
        if (item->submenu->Name() == name)
            return item->submenu;
        if (LMenu* found = FindSubmenu(*item->submenu, name))
            return found;
    }
    return nullptr;
}

int32_t PositionIn(const LMenu& menu, const LMenu* wanted, LMenu** parent)
{
    int32_t index = 0;
    for (SSLink* link : menu.Items()) {
        const auto* item = static_cast<const LMenuItem*>(link);
        if (item->submenu == wanted) {
            *parent = const_cast<LMenu*>(&menu);
            return index;
        }
        ++index;
    }
    for (SSLink* link : menu.Items()) {
        const auto* item = static_cast<const LMenuItem*>(link);
        if (item->submenu) {
            const int32_t found = PositionIn(*item->submenu, wanted, parent);
            if (found >= 0)
                return found;
        }
    }
    return -1;
}

} // namespace

LMenuBar::LMenuBar(LHandler* parent, LStrList& list, LResourceSource* source) : LHandler(parent), fTimer(this)
{
    Build(list, source);
}

LMenuBar::LMenuBar(LHandler* parent, const char* listName, LResourceSource* source)
    : LHandler(parent), fTimer(this)
{
    LStrList list(LResRef{0, listName}, source, kStrListMenuBar);
    Build(list, source);
}

void LMenuBar::Build(LStrList& list, LResourceSource* source)
{
    if (!gCurrentBar)
        gCurrentBar = this;
    for (uint32_t i = 0; i < list.Count(); ++i) {
        const LStringRef name = list.GetItem(i);
        LStrList menuList(LResRef{0, name.Text()}, source, kStrListMenu);
        auto* menu = new LMenu(this, menuList, source);
        if (!menu->Owner())
            menu->SetOwner(this);
        AppendMenu(menu, 0);
    }
    fTimer.Start(0);
}

LMenuBar::~LMenuBar()
{
    while (auto* menu = static_cast<LMenu*>(fMenus.Head())) {
        const bool owned = menu->Owner() == this;
        RemoveMenu(menu);
        if (owned)
            delete menu;
    }
    if (gCurrentBar == this)
        gCurrentBar = nullptr;
}

LMenuBar* LMenuBar::Current()
{
    return gCurrentBar;
}

void LMenuBar::SetCommandTarget(LHandler* handler)
{
    gCommandTarget = handler;
}

LHandler* LMenuBar::CommandTarget()
{
    return gCommandTarget;
}

void LMenuBar::WithMainBar(void* context, void (*function)(void* context, LMenuBar* bar))
{
    if (gCurrentBar && function)
        function(context, gCurrentBar);
}

void LMenuBar::AppendMenu(LMenu* menu, int32_t index)
{
    fMenus.PushBack(menu);
    if (menu->Native() && (index < 0 || IsCurrent()))
        menu->InsertInMenuBar(index);
}

void LMenuBar::AddMenu(LMenu* menu, const LMenu* before)
{
    fMenus.PushBack(menu);
    if (IsCurrent())
        menu->InsertInMenuBarBefore(before);
    fTimer.Start(0);
}

void LMenuBar::RemoveMenu(LMenu* menu)
{
    // Only a menu of this bar leaves the native bar: a dying submenu also climbs past here.
    if (!fMenus.Remove(menu))
        return;
    if (menu->Owner() == this)
        menu->SetOwner(nullptr);
    menu->RemoveFromMenuBar();
}

LMenu* LMenuBar::FindMenu(const char* name) const
{
    for (SSLink* link : fMenus)
        if (static_cast<LMenu*>(link)->Name() == name)
            return static_cast<LMenu*>(link);
    for (SSLink* link : fMenus)
        if (LMenu* found = FindSubmenu(*static_cast<LMenu*>(link), name))
            return found;
    return nullptr;
}

int32_t LMenuBar::FindMenuPosition(const LMenu* menu, LMenu** parent) const
{
    LMenu* unusedParent = nullptr;
    LMenu** out = parent ? parent : &unusedParent;
    *out = nullptr;
    int32_t index = 0;
    for (SSLink* link : fMenus) {
        if (link == menu)
            return index;
        ++index;
    }
    for (SSLink* link : fMenus) {
        const int32_t found = PositionIn(*static_cast<LMenu*>(link), menu, out);
        if (found >= 0)
            return found;
    }
    *out = nullptr;
    return -1;
}

void LMenuBar::ForEachItem(void* context, void (*function)(void* context, LMenuItem* item)) const
{
    for (SSLink* link : fMenus)
        VisitItems(*static_cast<LMenu*>(link), [&](LMenuItem& item) { function(context, &item); });
}

void LMenuBar::ResetItems()
{
    for (SSLink* link : fMenus)
        VisitItems(*static_cast<LMenu*>(link), [](LMenuItem& item) { item.Reset(); });
}

void LMenuBar::EnableCommand(const char* command, const LStringRef& title, KeepDisabled keep)
{
    for (SSLink* link : fMenus) {
        VisitItems(*static_cast<LMenu*>(link), [&](LMenuItem& item) {
            if (item.enabled || !item.HasCommand(command))
                return;
            if (keep == KeepDisabled::No)
                item.enabled = 1;
            if (!title.IsEmpty())
                item.title = title;
        });
    }
}

bool LMenuBar::CheckCommand(const char* command, const LStringRef& title)
{
    bool checked = false;
    for (SSLink* link : fMenus) {
        VisitItems(*static_cast<LMenu*>(link), [&](LMenuItem& item) {
            if (!item.HasCommand(command) || (!title.IsEmpty() && !(item.title == title)))
                return;
            item.checked = 1;
            checked = true;
        });
    }
    return checked;
}

LMenuItem* LMenuBar::Select(LMenuItem* found)
{
    if (!found || !gCommandTarget)
        return found;
    LMessage::Send(LMessage(LMenuItem::msgSelected, found, gCommandTarget));
    return nullptr;
}

LMenuItem* LMenuBar::SelectCommand(const char* command)
{
    for (SSLink* link : fMenus)
        if (LMenuItem* found = FindInMenu(*static_cast<LMenu*>(link),
                                          [command](const LMenuItem& item) { return item.HasCommand(command); }))
            return Select(found);
    return nullptr;
}

LMenuItem* LMenuBar::SelectKey(const char* keyText)
{
    const LStringRef key(keyText);
    for (SSLink* link : fMenus)
        if (LMenuItem* found = FindInMenu(*static_cast<LMenu*>(link),
                                          [&key](const LMenuItem& item) { return item.keyText == key; }))
            return Select(found);
    return nullptr;
}

LMenuItem* LMenuBar::SelectNativeItem(const plat::MenuItem* native)
{
    for (SSLink* link : fMenus)
        if (LMenuItem* found = static_cast<LMenu*>(link)->ItemForNative(native))
            return Select(found);
    return nullptr;
}

void LMenuBar::UpdateNative()
{
    for (SSLink* link : fMenus)
        static_cast<LMenu*>(link)->UpdateNative();
}

void LMenuBar::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this) {
        if (StrEqual(msg.type, msgReady) || StrEqual(msg.type, msgAdded)) {
            UpdateNative();
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
        return;
    }
    if (StrEqual(msg.type, LMenuTracer::msgTrace) && msg.subject) {
        static_cast<LMenuTracer*>(msg.subject)->Offer(this);
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LMenu::msgItemAdded)) {
        fTimer.Start(0); // any number of additions in one pass make one update
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LMenu::msgDestructing) && msg.subject)
        RemoveMenu(static_cast<LMenu*>(msg.subject));
    if (msg.subject == &fTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        // Climbs the application chain (the shortcut table applies its keys on the way) and
        // comes back here to update the native menus.
        LMessage::Make(result, msgAdded, this, Parent() ? Parent() : this);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
