#pragma once
#include "platform/menus/Menu.h"

#include <string>

// The application's main menu while the framework runs it: before a key equivalent is tried,
// the menus are made ready for the present command target (so that enabling follows the
// handlers), then the menus of the bar are asked in order.
class MMainMenu : public plat::Menu {
public:
    explicit MMainMenu(std::string title) : plat::Menu(std::move(title)) {}
    bool PerformKeyEquivalent(const plat::KeyPress& key) override;
};
