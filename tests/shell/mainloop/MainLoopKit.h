#pragma once
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/MenuActions.h"
#include "platform/resources/ResourceFile.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"
#include "shell/app/AppDelegate.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "shell/menus/ProgramMainMenu.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/system/LSystemInfo.h"
#include "tests/shell/windows/WindowBridgeKit.h"
#include "tests/support/MemResourceSource.h"

#include <memory>

// The shipped resources as the application's chain, the program's main menu, a virtual
// clock, the application with an AppDelegate, and a main loop under an application handler
// that records what reaches it. Untargeted menu actions go to the delegate.
class MainLoopTest : public WindowBridgeTest {
protected:
    MainLoopTest()
    {
        fSavedVersion = LSystemInfo::Global().osVersion;
        LSystemInfo::Global().osVersion = 0x1090;
        fSavedFile = plat::CurrentResourceFile();
        plat::ResourceStatus status;
        fRef = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
        plat::UseResourceFile(fSavedFile);
        fShipped = std::make_unique<LRegionalResSource>(fRef, kRegionUS);
        fScope = std::make_unique<ScopedGlobalResources>(fShipped.get());
        plat::SetMainMenu(MakeProgramMainMenu());
        plat::Application::Shared().SetDelegate(&delegate);
        plat::SetNilTargetResolver(&Resolve, &delegate);
        loop = std::make_unique<CMacMainLoop>(&app);
    }
    ~MainLoopTest() override
    {
        loop.reset();
        plat::SetNilTargetResolver(nullptr, nullptr);
        plat::SetMainMenu(nullptr);
        fScope.reset();
        fShipped.reset();
        plat::CloseResourceFile(fRef);
        plat::UseResourceFile(fSavedFile);
        LSystemInfo::Global().osVersion = fSavedVersion;
    }
    // Lets ms of virtual time pass on the main thread's run loop.
    void Pass(uint64_t ms) { runner.RunForMs(clock.clock(), ms); }
    int Count(const RecordingHandler& handler, const std::string& type) const
    {
        return int(std::count(handler.seen.begin(), handler.seen.end(), type));
    }

    plat::ScopedVirtualClock clock{1000};
    plat::ApplicationDriver appDriver;
    AppDelegate delegate;
    RecordingHandler app;
    std::unique_ptr<CMacMainLoop> loop;
    plat::RunLoopDriver runner{plat::RunLoop::Current(), plat::kModeDefault};

private:
    static plat::ActionResponder* Resolve(void* context, std::string_view action)
    {
        auto* responder = static_cast<plat::ActionResponder*>(context);
        return responder->RespondsTo(action) ? responder : nullptr;
    }

    uint32_t fSavedVersion = 0;
    int fSavedFile = 0;
    int fRef = 0;
    std::unique_ptr<LRegionalResSource> fShipped;
    std::unique_ptr<ScopedGlobalResources> fScope;
};
