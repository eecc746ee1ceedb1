#pragma once
#include "platform/menus/MenuActions.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopDriver.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "shell/system/LSystemInfo.h"
#include "tests/shell/app/ShippedAppKit.h"

#include <memory>

// The shipped application with a main loop under an application handler that records what
// reaches it. Untargeted menu actions go to the delegate.
class MainLoopTest : public ShippedAppTest {
protected:
    MainLoopTest()
    {
        fSavedVersion = LSystemInfo::Global().osVersion;
        LSystemInfo::Global().osVersion = 0x1090;
        plat::SetNilTargetResolver(&Resolve, &delegate);
        loop = std::make_unique<CMacMainLoop>(&app);
    }
    ~MainLoopTest() override
    {
        loop.reset();
        plat::SetNilTargetResolver(nullptr, nullptr);
        LSystemInfo::Global().osVersion = fSavedVersion;
    }
    // Lets ms of virtual time pass on the main thread's run loop.
    void Pass(uint64_t ms) { runner.RunForMs(clock.clock(), ms); }
    int Count(const RecordingHandler& handler, const std::string& type) const
    {
        return int(std::count(handler.seen.begin(), handler.seen.end(), type));
    }

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
};
