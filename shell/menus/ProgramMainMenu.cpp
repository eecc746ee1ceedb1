#include "shell/menus/ProgramMainMenu.h"

#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuItem.h"

std::shared_ptr<plat::Menu> MakeProgramMainMenu()
{
    auto appMenu = plat::Menu::Make("%0");
    appMenu->Add(plat::MenuItem::Make("Hide %0", "hide:", "h"));
    appMenu->Add(plat::MenuItem::Make("Show All", "unhideAllApplications:"));
    appMenu->Add(plat::MenuItem::MakeSeparator());
    appMenu->Add(plat::MenuItem::Make("Quit %0", "terminate:", "q"));
    auto holder = plat::MenuItem::Make("%0");
    holder->SetSubmenu(appMenu);
    auto main = plat::Menu::Make("Main");
    main->Add(holder);
    return main;
}
