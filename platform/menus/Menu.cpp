#include "platform/menus/Menu.h"

#include "platform/menus/MainMenu.h"
#include "platform/menus/MenuItem.h"

#include <algorithm>
#include <cctype>

namespace plat {

namespace {

// The one character of a key equivalent or key press, or 0 when the text is not one
// printable ASCII character.
char SingleKey(const std::string& text)
{
    if (text.size() != 1)
        return 0;
    const auto c = static_cast<unsigned char>(text[0]);
    return c >= 32 && c <= 126 ? static_cast<char>(c) : 0;
}

} // namespace

bool KeyEquivalentMatches(const MenuItem& item, const KeyPress& key)
{
    const char wanted = SingleKey(item.KeyEquivalent());
    const char pressed = SingleKey(key.charactersIgnoringModifiers);
    if (!wanted || !pressed)
        return false;
    uint32_t mask = item.KeyEquivalentModifierMask() & kKeyModifierMask;
    uint32_t held = key.modifierFlags & kKeyModifierMask;
    if (std::isupper(static_cast<unsigned char>(wanted)))
        mask |= kShiftKeyMask;
    else if (!std::isalpha(static_cast<unsigned char>(wanted)) && !(mask & kShiftKeyMask))
        held &= ~kShiftKeyMask; // the character already tells whether Shift made it
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    return lower(wanted) == lower(pressed) && held == mask;
}

std::shared_ptr<Menu> Menu::Make(std::string title)
{
    return std::shared_ptr<Menu>(new Menu(std::move(title)));
}

Menu::Menu(std::string title) : fTitle(std::move(title)) {}

Menu::~Menu()
{
    for (const auto& item : fItems)
        item->fMenu = nullptr;
}

Menu* Menu::Supermenu() const
{
    return fOwnerItem ? fOwnerItem->ParentMenu() : nullptr;
}

std::shared_ptr<MenuItem> Menu::ItemAt(size_t index) const
{
    return index < fItems.size() ? fItems[index] : nullptr;
}

int Menu::IndexOf(const MenuItem* item) const
{
    for (size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

int Menu::IndexOfSubmenu(const Menu* submenu) const
{
    for (size_t i = 0; i < fItems.size(); ++i)
        if (submenu && fItems[i]->Submenu().get() == submenu)
            return static_cast<int>(i);
    return -1;
}

std::shared_ptr<MenuItem> Menu::ItemWithTitle(const std::string& title) const
{
    for (const auto& item : fItems)
        if (!item->IsSeparator() && item->Title() == title)
            return item;
    return nullptr;
}

void Menu::Insert(const std::shared_ptr<MenuItem>& item, size_t index)
{
    if (!item)
        return;
    std::shared_ptr<MenuItem> keep = item; // leaving its old menu may drop the last other owner
    if (keep->fMenu)
        keep->fMenu->Detach(*keep);
    index = std::min(index, fItems.size());
    fItems.insert(fItems.begin() + static_cast<std::ptrdiff_t>(index), keep);
    keep->fMenu = this;
}

void Menu::Detach(MenuItem& item)
{
    const int index = IndexOf(&item);
    if (index >= 0)
        RemoveAt(static_cast<size_t>(index));
}

void Menu::RemoveAt(size_t index)
{
    if (index >= fItems.size())
        return;
    fItems[index]->fMenu = nullptr;
    fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(index));
}

void Menu::Remove(const MenuItem* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        RemoveAt(static_cast<size_t>(index));
}

void Menu::RemoveAll()
{
    while (!fItems.empty())
        RemoveAt(fItems.size() - 1);
}

void Menu::Update()
{
    if (!fAutoenables)
        return;
    for (const auto& item : fItems) {
        if (item->IsSeparator())
            continue;
        if (item->HasSubmenu() && item->Action().empty()) {
            item->SetEnabled(true);
            continue;
        }
        const ActionResponder* target = ActionTargetFor(*item);
        item->SetEnabled(target && target->ValidateMenuItem(*item));
    }
}

std::shared_ptr<MenuItem> Menu::ItemForKey(const KeyPress& key) const
{
    for (const auto& item : fItems) {
        if (item->IsSeparator())
            continue;
        if (item->HasSubmenu()) {
            if (auto found = item->Submenu()->ItemForKey(key))
                return found;
            continue;
        }
        if (KeyEquivalentMatches(*item, key))
            return item;
    }
    return nullptr;
}

bool Menu::PerformKeyEquivalent(const KeyPress& key)
{
    for (size_t i = 0; i < fItems.size(); ++i) {
        const std::shared_ptr<MenuItem> item = fItems[i];
        if (item->IsSeparator())
            continue;
        if (item->HasSubmenu()) {
            const std::shared_ptr<Menu> submenu = item->Submenu();
            if (submenu->PerformKeyEquivalent(key))
                return true;
            continue;
        }
        if (!KeyEquivalentMatches(*item, key))
            continue;
        Update();
        return ChooseItem(*item);
    }
    return false;
}

} // namespace plat
