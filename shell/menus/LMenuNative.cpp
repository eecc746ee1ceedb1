// The native side of LMenu: every framework menu keeps one native menu and every framework
// entry one native item at the menu's first native index plus the entry's position. The
// framework side is the truth; UpdateNative copies it over.
#include "ui/menus/LMenu.h"

#include "shell/files/LProcessInfo.h"
#include "foundation/text/TextTemplate.h"
#include "platform/app/Application.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuItem.h"
#include "ui/menus/LMenuItem.h"

#include <cctype>
#include <optional>

namespace {

const char* const kChosenAction = "menuitemchoosen:";

std::string ApplicationName()
{
    return LProcessInfo::ApplicationName();
}

// "%0" in the text becomes the application name; null when nothing changes.
std::optional<std::string> WithAppName(const std::string& text, const std::string& name)
{
    const char* argument = name.c_str();
    const LStringRef formatted = FormatTemplate(text.c_str(), &argument, 1);
    if (formatted.View() == text)
        return std::nullopt;
    return std::string(formatted.View());
}

// The application menu of the program's main menu, taken out of the main menu; a new empty
// menu when there is none.
std::shared_ptr<plat::Menu> TakeApplicationMenu()
{
    const std::shared_ptr<plat::Menu> main = plat::MainMenu();
    const std::shared_ptr<plat::MenuItem> first = main ? main->ItemAt(0) : nullptr;
    std::shared_ptr<plat::Menu> menu = first ? first->Submenu() : nullptr;
    if (!menu)
        return plat::Menu::Make("");
    first->SetSubmenu(nullptr);
    main->RemoveAt(0);
    const std::string name = ApplicationName();
    if (auto title = WithAppName(menu->Title(), name))
        menu->SetTitle(*title);
    for (size_t i = 0; i < menu->Count(); ++i) {
        const std::shared_ptr<plat::MenuItem> item = menu->ItemAt(i);
        if (auto title = WithAppName(item->Title(), name))
            item->SetTitle(*title);
    }
    return menu;
}

std::shared_ptr<plat::MenuItem> MakeNativeItem(const LMenuItem& item)
{
    auto native = plat::MenuItem::Make(std::string(item.title.View()), kChosenAction, "");
    if (item.HasCommand("LStdCmd_Help")) {
        native->SetTarget(&plat::Application::Shared());
        native->SetAction("showHelp:");
    }
    return native;
}

uint32_t NativeModifierMask(uint32_t modifiers)
{
    uint32_t mask = plat::kCommandKeyMask;
    if (modifiers & LMenuItem::kModShift)
        mask |= plat::kShiftKeyMask;
    if (modifiers & LMenuItem::kModOption)
        mask |= plat::kOptionKeyMask;
    if (modifiers & LMenuItem::kModControl)
        mask |= plat::kControlKeyMask;
    if (modifiers & LMenuItem::kModNoCommand)
        mask &= 0xE0000;
    return mask;
}

void SyncKey(plat::MenuItem& native, const LMenuItem& item)
{
    if (item.modifiers & LMenuItem::kModNoKey) {
        native.SetKeyEquivalent("");
        native.SetKeyEquivalentModifierMask(plat::kCommandKeyMask);
        return;
    }
    const auto key = static_cast<char>(std::tolower(item.keyChar));
    native.SetKeyEquivalent(item.keyChar ? std::string(1, key) : std::string());
    native.SetKeyEquivalentModifierMask(NativeModifierMask(item.modifiers));
}

const void* NativeImage(const LMenuItem& item)
{
    return item.image.IsNull() ? nullptr : item.image.Get();
}

} // namespace

void LMenu::CreateNative()
{
    if (fTitle.View() != std::string_view(&kAppMenuTitle, 1))
        fNative = plat::Menu::Make(std::string(fTitle.View()));
    else
        fNative = TakeApplicationMenu(); // its own items stay behind the framework's
    fNative->SetAutoenablesItems(false);
}

void LMenu::ReleaseNative()
{
    fNative.reset();
}

void LMenu::NativeInsertItem(uint32_t index, const LMenuItem& item)
{
    if (fNative)
        fNative->Insert(MakeNativeItem(item), index);
}

void LMenu::NativeRemoveItem(uint32_t index)
{
    if (fNative)
        fNative->RemoveAt(index);
}

LMenuItem* LMenu::GetItemAt(const plat::MenuItem* native) const
{
    if (!fNative || fNative->Count() == 0)
        return nullptr;
    const int index = fNative->IndexOf(native);
    if (index < static_cast<int>(fFirstNativeIndex))
        return nullptr;
    return ItemAt(static_cast<uint32_t>(index) - fFirstNativeIndex);
}

void LMenu::UpdateNative()
{
    if (!fNative)
        return;
    ValidateNativeItems();
    uint32_t position = 0;
    for (SSLink* link : fItems) {
        auto* item = static_cast<LMenuItem*>(link);
        // A hidden Quit entry has no native item: its place belongs to the menu's own items.
        if (!IsNativeQuitHidden(*item))
            SyncNativeItem(fFirstNativeIndex + position, *item);
        ++position;
    }
}

void LMenu::ValidateNativeItems()
{
    const size_t frameworkEnd = fFirstNativeIndex + fItems.Count();
    for (size_t i = 0; i < fNative->Count(); ++i) {
        if (i >= fFirstNativeIndex && i < frameworkEnd)
            continue;
        const std::shared_ptr<plat::MenuItem> native = fNative->ItemAt(i);
        if (native->IsSeparator())
            continue;
        plat::ActionResponder* target = native->Target() ? native->Target() : &plat::Application::Shared();
        const bool responds = !native->Action().empty() && target->RespondsTo(native->Action());
        native->SetEnabled(responds ? target->ValidateMenuItem(*native) : native->HasSubmenu());
    }
}

void LMenu::SyncNativeItem(uint32_t index, LMenuItem& item)
{
    if (!fNative || index >= fNative->Count())
        return;
    std::shared_ptr<plat::MenuItem> native = fNative->ItemAt(index);
    if (!item.IsSeparator() && native->IsSeparator()) {
        fNative->RemoveAt(index);
        native = MakeNativeItem(item);
        fNative->Insert(native, index);
    } else if (item.IsSeparator() && !native->IsSeparator()) {
        fNative->RemoveAt(index);
        fNative->Insert(plat::MenuItem::MakeSeparator(), index);
        return;
    } else if (!item.IsSeparator()) {
        native->SetTitle(std::string(item.title.View()));
    }
    if (item.IsSeparator())
        return;
    native->SetEnabled(item.enabled != 0);
    if (item.submenu) {
        item.submenu->UpdateNative();
        native->SetSubmenu(item.submenu->Native());
        native->SetImage(NativeImage(item));
        return;
    }
    if (native->HasSubmenu()) {
        native->SetSubmenu(nullptr);
        native->SetAction(kChosenAction);
    }
    SyncKey(*native, item);
    native->SetState(item.checked ? 1 : 0);
    native->SetImage(NativeImage(item));
}

void LMenu::InsertInMenuBar(int32_t index)
{
    const std::shared_ptr<plat::Menu> main = plat::MainMenu();
    if (index < 0 || !main || !fNative)
        return;
    auto holder = plat::MenuItem::Make(std::string(fTitle.View()));
    holder->SetSubmenu(fNative);
    main->Insert(holder, index == 0 ? main->Count() : static_cast<size_t>(index - 1));
}

void LMenu::InsertInMenuBarBefore(const LMenu* other)
{
    const std::shared_ptr<plat::Menu> main = plat::MainMenu();
    const int position = main && other ? main->IndexOfSubmenu(other->fNative.get()) : -1;
    InsertInMenuBar(position >= 0 ? position + 1 : 0);
}

void LMenu::RemoveFromMenuBar()
{
    if (!fNative)
        return;
    plat::Menu* super = fNative->Supermenu();
    if (!super)
        return;
    const int index = super->IndexOfSubmenu(fNative.get());
    if (index >= 0)
        super->RemoveAt(static_cast<size_t>(index));
}
