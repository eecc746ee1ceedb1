#include "ui/menus/LMenu.h"

#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "shell/system/LSystemInfo.h"
#include "ui/menus/LMenuItem.h"
#include "ui/menus/LMenuTracer.h"
#include "ui/menus/MenuText.h"

#include <algorithm>
#include <cstdio>

const char* LMenu::msgItemAdded = "LMenu_ItemAdded";
const char* LMenu::msgDestructing = "LMenu_Destructing";

namespace {

const char* const kQuitCommand = "LStdCmd_Quit";
// Submenus nest at most this deep, so a list that names itself as its own submenu ends.
constexpr int kMaxSubmenuDepth = 8;
int gBuildDepth = 0;

std::vector<LMenu*>& RegistryList()
{
    static std::vector<LMenu*> menus;
    return menus;
}

} // namespace

bool IsNativeQuitHidden(const LMenuItem& item)
{
    return item.HasCommand(kQuitCommand) && LSystemInfo::Global().IsVersion10OrLater();
}

const std::vector<LMenu*>& LMenu::Registry()
{
    return RegistryList();
}

LMenu::LMenu(LHandler* parent, LStrList& list, LResourceSource* source) : LHandler(parent)
{
    const MenuText header(list.GetItem(0));
    fName = header.Line(0);
    fTitle = header.Line(1);
    CreateNative();
    RegistryList().push_back(this);
    BuildEntries(list, source);
}

LMenu::~LMenu()
{
    LMessage::Send(LMessage(msgDestructing, this, Parent()));
    // The native items go from the last back, so that no other item moves; then the entries.
    uint32_t native = 0;
    for (SSLink* link : fItems)
        native += IsNativeQuitHidden(*static_cast<LMenuItem*>(link)) ? 0 : 1;
    while (native > 0)
        NativeRemoveItem(fFirstNativeIndex + --native);
    while (auto* item = static_cast<LMenuItem*>(fItems.PopFront())) {
        --fCount;
        ReleaseEntry(item);
    }
    ReleaseNative();
    auto& registry = RegistryList();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
}

void LMenu::BuildEntries(LStrList& list, LResourceSource* source)
{
    // A damaged list may claim more entries than its data holds: only those are made.
    const uint32_t held = list.HeldCount();
    if (held < list.Count())
        std::fprintf(stderr, "sonalyx: the menu list \"%s\" is damaged: it claims %u items but holds %u\n",
                     fName.Text(), unsigned(list.Count()), unsigned(held));
    for (uint32_t i = 1; i < held; ++i) {
        LMenuItem* item = MakeItem(list.GetItem(i), UINT32_MAX, source);
        if (IsNativeQuitHidden(*item)) {
            DropSeparatorsBefore(item);
            return; // the entries after Quit are not made
        }
    }
}

void LMenu::DropSeparatorsBefore(LMenuItem* quit)
{
    for (int32_t i = IndexOf(quit) - 1; i >= 0; --i) {
        LMenuItem* item = ItemAt(static_cast<uint32_t>(i));
        if (!item->IsSeparator())
            return;
        RemoveItem(item);
    }
}

LMenuItem* LMenu::MakeItem(const LStringRef& text, uint32_t index, LResourceSource* source)
{
    auto* item = new LMenuItem(this);
    const MenuText lines(text);
    item->AddCommand(lines.CommandName());
    item->paramText = lines.CommandParam();
    item->defaultTitle = lines.Line(1);
    item->title = item->defaultTitle;
    item->SetKey(lines.Line(2));
    const LStringRef submenu = lines.Line(3);
    if (!submenu.IsEmpty())
        OpenSubmenu(item, submenu, source);
    InsertItem(item, index);
    return item;
}

LMenuItem* LMenu::OpenSubmenu(LMenuItem* item, const LStringRef& name, LResourceSource* source)
{
    if (gBuildDepth >= kMaxSubmenuDepth)
        return item;
    LStrList list(LResRef{0, name.Text()}, source, kStrListMenu);
    if (list.Count() == 0)
        return item;
    ++gBuildDepth;
    auto* menu = new LMenu(this, list, source);
    --gBuildDepth;
    if (!menu->Owner())
        menu->SetOwner(this);
    item->submenu = menu;
    return item;
}

void LMenu::InsertItem(LMenuItem* item, uint32_t index)
{
    item->owned = 1;
    if (!item->IsLinked()) {
        if (index >= fCount)
            fItems.PushBack(item);
        else
            fItems.InsertAfter(item, index == 0 ? nullptr : fItems.Nth(index - 1));
        ++fCount;
    }
    AddItem(item);
}

void LMenu::AddItem(LMenuItem* item)
{
    if (!fNative)
        return;
    // Entries are mostly appended: the last one's position is known without a walk.
    const uint32_t position = item == fItems.Tail() ? fCount - 1 : static_cast<uint32_t>(IndexOf(item));
    if (!IsNativeQuitHidden(*item))
        NativeInsertItem(fFirstNativeIndex + position, *item);
    LMessage::Send(LMessage(msgItemAdded, this, Parent()));
}

void LMenu::RemoveItem(LMenuItem* item)
{
    const int32_t position = IndexOf(item);
    if (position < 0)
        return;
    // A hidden Quit entry has no native item, so nothing of the native menu goes with it.
    if (!IsNativeQuitHidden(*item))
        NativeRemoveItem(fFirstNativeIndex + static_cast<uint32_t>(position));
    if (fItems.Remove(item))
        --fCount;
    ReleaseEntry(item);
}

void LMenu::ReleaseEntry(LMenuItem* item)
{
    if (!item->owned)
        return;
    if (item->submenu && item->submenu->Owner() == this)
        delete item->submenu;
    item->submenu = nullptr;
    delete item;
}

int32_t LMenu::IndexOf(const LMenuItem* item) const
{
    int32_t index = 0;
    for (SSLink* link : fItems) {
        if (link == item)
            return index;
        ++index;
    }
    return -1;
}

LMenuItem* LMenu::ItemAt(uint32_t index) const
{
    return static_cast<LMenuItem*>(fItems.Nth(index));
}

void LMenu::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuTracer::msgTrace) && msg.subject)
        static_cast<LMenuTracer*>(msg.subject)->Offer(this);
    LHandler::HandleMessage(result, msg);
}

LMenuItem* LMenu::ItemForNative(const plat::MenuItem* native) const
{
    if (LMenuItem* item = GetItemAt(native))
        return item;
    for (SSLink* link : fItems) {
        const auto* item = static_cast<const LMenuItem*>(link);
        if (item->enabled && item->submenu)
            if (LMenuItem* found = item->submenu->ItemForNative(native))
                return found;
    }
    return nullptr;
}
