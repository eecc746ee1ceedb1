#pragma once
#include "foundation/text/LStrList.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"
#include "platform/resources/ResourceFile.h"
#include "shell/menus/ProgramMainMenu.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/system/LSystemInfo.h"
#include "tests/support/MemResourceSource.h"
#include "tests/support/RecordingHandler.h"
#include "foundation/async/LTicks.h"
#include "ui/LTimer.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// A program's main menu, a system version at which the application menu has the system's
// Quit, the resource file packed beside the test program, and an application handler.
class MenuFixture : public testing::Test {
protected:
    void SetUp() override
    {
        fSavedVersion = LSystemInfo::Global().osVersion;
        LSystemInfo::Global().osVersion = 0x1090;
        plat::SetMainMenu(MakeProgramMainMenu());
        fSavedFile = plat::CurrentResourceFile();
        plat::ResourceStatus status;
        fRef = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
        ASSERT_GT(fRef, 0);
        plat::UseResourceFile(fSavedFile);
        shipped = std::make_unique<LRegionalResSource>(fRef, kRegionUS);
    }
    void TearDown() override
    {
        shipped.reset();
        plat::CloseResourceFile(fRef);
        plat::UseResourceFile(fSavedFile);
        plat::SetMainMenu(nullptr);
        LSystemInfo::Global().osVersion = fSavedVersion;
    }
    // The item of a menu of the bar at a position.
    static LMenuItem* Item(LMenuBar& bar, const char* menu, uint32_t index)
    {
        LMenu* found = bar.FindMenu(menu);
        return found ? found->ItemAt(index) : nullptr;
    }
    // Sends every due framework timer's message, as the main loop does.
    static void RunTimers()
    {
        for (int guard = 0; guard < 100; ++guard) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (!msg.subject)
                return;
            LMessage::Send(msg);
        }
    }

    std::unique_ptr<LRegionalResSource> shipped;
    RecordingHandler app;

private:
    uint32_t fSavedVersion = 0;
    int fSavedFile = 0;
    int fRef = 0;
};

// String lists for a small menu bar held in memory: items written with LF line ends.
inline std::string StrListBytes(std::initializer_list<std::string> items)
{
    std::string bytes;
    bytes += char(items.size() >> 8);
    bytes += char(items.size() & 0xFF);
    for (const std::string& item : items) {
        bytes += item;
        bytes += '\0';
    }
    return bytes;
}
