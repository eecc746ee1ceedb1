#pragma once
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/menus/MainMenu.h"
#include "shell/app/AppDelegate.h"
#include "shell/menus/ProgramMainMenu.h"
#include "shell/resources/LRegionalResSource.h"
#include "tests/shell/windows/WindowBridgeKit.h"
#include "tests/support/MemResourceSource.h"
#include "tests/support/ProgramResourceFile.h"

// The shipped resources as the application's chain, the program's main menu, a virtual clock
// and the application with an AppDelegate, on the window bridge of WindowBridgeTest.
class ShippedAppTest : public WindowBridgeTest {
protected:
    ShippedAppTest()
    {
        plat::SetMainMenu(MakeProgramMainMenu());
        plat::Application::Shared().SetDelegate(&delegate);
    }
    ~ShippedAppTest() override { plat::SetMainMenu(nullptr); }

    plat::ScopedVirtualClock clock{1000};
    plat::ApplicationDriver appDriver;
    AppDelegate delegate;

private:
    ProgramResourceFile fFile;
    LRegionalResSource fShipped{fFile.Ref(), kRegionUS};
    ScopedGlobalResources fScope{&fShipped};
};
