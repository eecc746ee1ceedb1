#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

class ActionResponder;
class Menu;

// One entry of a native menu: a titled command item or a separator. Items are shared: a
// menu holds its items, and whoever chooses or updates one may hold it a while longer.
// Main thread only.
class MenuItem : public std::enable_shared_from_this<MenuItem> {
public:
    // A command item with an action (empty for none) and a key equivalent (empty for none).
    static std::shared_ptr<MenuItem> Make(std::string title, std::string action = {},
                                          std::string keyEquivalent = {});
    static std::shared_ptr<MenuItem> MakeSeparator();
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    bool IsSeparator() const { return fSeparator; }

    const std::string& Title() const { return fTitle; }
    void SetTitle(std::string title) { fTitle = std::move(title); }

    const std::string& Action() const { return fAction; }
    void SetAction(std::string action) { fAction = std::move(action); }
    // The object the action goes to; null sends it up the responder chain. Not owned.
    ActionResponder* Target() const { return fTarget; }
    void SetTarget(ActionResponder* target) { fTarget = target; }

    // The key equivalent: one character (upper case implies Shift), empty for none.
    const std::string& KeyEquivalent() const { return fKeyEquivalent; }
    void SetKeyEquivalent(std::string key) { fKeyEquivalent = std::move(key); }
    // Modifier bits (kShiftKeyMask ...) that go with the key equivalent.
    uint32_t KeyEquivalentModifierMask() const { return fModifierMask; }
    void SetKeyEquivalentModifierMask(uint32_t mask) { fModifierMask = mask; }

    bool IsEnabled() const { return fEnabled; }
    void SetEnabled(bool enabled) { fEnabled = enabled; }
    // 0 off, 1 on (a check mark), -1 mixed.
    int State() const { return fState; }
    void SetState(int state) { fState = state; }

    const std::shared_ptr<Menu>& Submenu() const { return fSubmenu; }
    bool HasSubmenu() const { return fSubmenu != nullptr; }
    // Gives the item a submenu (or takes it away with null); a menu is the submenu of at most
    // one item, so it leaves any item that held it before.
    void SetSubmenu(std::shared_ptr<Menu> submenu);
    // The menu that holds this item, null while it is in none.
    Menu* ParentMenu() const { return fMenu; }

    // An image shown beside the title, identified by the caller's image object; not owned.
    const void* Image() const { return fImage; }
    void SetImage(const void* image) { fImage = image; }
    int64_t Tag() const { return fTag; }
    void SetTag(int64_t tag) { fTag = tag; }
    // An object of the program's that the item stands for; not owned.
    void* RepresentedObject() const { return fRepresented; }
    void SetRepresentedObject(void* object) { fRepresented = object; }

private:
    friend class Menu;
    MenuItem() = default;

    bool fSeparator = false;
    bool fEnabled = true;
    int fState = 0;
    std::string fTitle;
    std::string fAction;
    ActionResponder* fTarget = nullptr;
    std::string fKeyEquivalent;
    uint32_t fModifierMask = 0x100000; // the command key
    std::shared_ptr<Menu> fSubmenu;
    Menu* fMenu = nullptr;
    const void* fImage = nullptr;
    int64_t fTag = 0;
    void* fRepresented = nullptr;
};

} // namespace plat
