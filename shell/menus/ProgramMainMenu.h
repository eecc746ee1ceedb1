#pragma once
#include <memory>

namespace plat {
class Menu;
}

// The program's own main menu, installed before the framework takes the menu bar over: one
// application menu ("%0" stands for the application's name) with the system's hide, show all
// and quit commands. The framework's application menu puts its entries in front of these.
std::shared_ptr<plat::Menu> MakeProgramMainMenu();
