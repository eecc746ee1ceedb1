#pragma once
#include "platform/window/Event.h"
#include "platform/window/Window.h"
#include "shell/app/CAppBase.h"
#include "tests/shell/app/ShippedAppKit.h"
#include "ui/dialogs/LModalDialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The application base under test: it records what reaches it and lets a test act at each
// modal step, as the user would while a dialog waits.
class RecordingAppBase : public CAppBase {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back(msg.type ? msg.type : "");
        if (onMessage)
            onMessage(msg);
        if (StrEqual(msg.type, LModalDialog::msgMode)) {
            ++modalSteps;
            if (modalSteps > kMaxSteps) {
                // A dialog that never ends fails instead of hanging.
                static_cast<LModalDialog*>(msg.subject)->SetResult(LModalDialog::kEscape);
                plat::Application::PostEvent(0, 0, 0, false);
            }
            else if (onModalStep)
                onModalStep(*static_cast<LModalDialog*>(msg.subject));
        }
        CAppBase::HandleMessage(result, msg);
    }
    int Count(const std::string& type) const { return int(std::count(seen.begin(), seen.end(), type)); }

    // A person's gesture in a dialog takes many steps of its loop.
    static constexpr int kMaxSteps = 2000;
    std::vector<std::string> seen;
    std::function<void(LModalDialog&)> onModalStep;
    std::function<void(const LMessage&)> onMessage;
    int modalSteps = 0;
};

// The shipped application with a recording application base and its main loop.
class AppBaseTest : public ShippedAppTest {
protected:
    AppBaseTest()
    {
        app = std::make_unique<RecordingAppBase>();
        delegate.SetMain(&app->MainLoop());
    }
public:
    // The user presses a key in the key window: Return, Escape and the like.
    void PostKey(const std::string& characters, uint16_t keyCode)
    {
        fDriver.PostKey(plat::EventType::KeyDown, characters, keyCode);
        fDriver.PostKey(plat::EventType::KeyUp, characters, keyCode);
    }
    void PressReturn() { PostKey("\r", 36); }
    void PressEscape() { PostKey("\x1b", 53); }
    // Lets time pass and wakes the step's wait for events with an empty application event:
    // under the virtual clock a wait with nothing to deliver would never end.
    void Nudge(uint64_t ms)
    {
        clock.AdvanceMs(ms);
        plat::Application::PostEvent(0, 0, 0, false);
    }

protected:
    ~AppBaseTest() override
    {
        delegate.SetMain(nullptr);
        app.reset();
        // Resolving the dialogs' fonts made the view preferences and introduced them to the
        // desktop; later tests of this process start without them, as if no font was resolved.
        CDesktop::SetViewPrefs(nullptr);
    }

    std::unique_ptr<RecordingAppBase> app;
};
