#pragma once
#include <memory>
#include <string>
#include <vector>

namespace plat {
class MenuItem;
}

// While it lives, the Edit menu's Undo, Redo, Cut, Copy, Paste and Delete items send the
// system's standard editing actions to whatever has the keyboard (a panel's text field)
// instead of framework commands, and the menu enables them itself. Kept alive around a
// native panel that runs modally.
class LEditMenuBridge {
public:
    LEditMenuBridge();
    ~LEditMenuBridge();
    LEditMenuBridge(const LEditMenuBridge&) = delete;
    LEditMenuBridge& operator=(const LEditMenuBridge&) = delete;

private:
    struct SavedAction {
        std::shared_ptr<plat::MenuItem> item;
        std::string action;
    };
    std::vector<SavedAction> fSaved;
    bool fSavedAutoenables = false;
};
