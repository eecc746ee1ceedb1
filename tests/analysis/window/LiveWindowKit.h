#pragma once
// A document window with a real dispatch thread, for live sources: serial devices through
// socat, TCP peers on loopback, the sound input through the manual audio driver. Dialogs are
// answered by a script, one action per dialog, as the user would: choosing in a pop-up list
// with the mouse, then Return or Escape.
#include "controls/std/LPopupList.h"
#include "foundation/async/LTicks.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/EventQueue.h"
#include "platform/window/View.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/ports/CSerPortDlg.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/support/PortTestSupport.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/windows/LWindow.h"
#include "platform/window/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class LiveWindowTest : public SpecWindowTest {
protected:
    using Action = std::function<void(LModalDialog&)>;

    LiveWindowTest() : liveQueue(porttest::MakeQueue()) {}
    ~LiveWindowTest() override
    {
        window.reset();
        liveQueue->Stop();
    }

    CSpecWindow& MakeLive()
    {
        window = std::make_unique<CSpecWindow>(app.get(), *liveQueue, record, nullptr);
        return *window;
    }

    // Runs the main thread and lets the virtual clock follow, until done() holds or the
    // real-time limit passes.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10),
                  uint32_t virtualStepMs = 2)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            clock.AdvanceMs(virtualStepMs);
            PumpOnce();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    // Lets real time pass while the main thread runs.
    void RunFor(std::chrono::milliseconds span)
    {
        const auto end = std::chrono::steady_clock::now() + span;
        (void)RunUntil([&] { return std::chrono::steady_clock::now() >= end; }, span + std::chrono::seconds(1));
    }

    // The dialogs that run next get these actions, one each, in order; a dialog beyond the
    // script is cancelled. The titles of the dialogs and the texts of message boxes are kept.
    void Script(std::vector<Action> actions)
    {
        fActions = std::move(actions);
        fNext = 0;
        seenDialogs.clear();
        app->modalSteps = 0;
        app->onModalStep = [this](LModalDialog& dialog) {
            if (fDriver.Planned())
                return; // the person is still acting on this dialog
            if (auto* box = dynamic_cast<CSimpleMessageDialog*>(&dialog))
                seenDialogs.push_back("message: " + std::string(box->Message().Text().View()));
            else
                seenDialogs.push_back(dialog.Window() ? std::string(dialog.Window()->Native()->Title()) : "");
            if (fNext < fActions.size())
                fActions[fNext++](dialog);
            else
                PressEscape();
        };
    }
    Action Ok() { return [this](LModalDialog&) { PressReturn(); }; }
    Action Cancel() { return [this](LModalDialog&) { PressEscape(); }; }
    // In a serial-port dialog: picks the item of that title with the mouse, then OK.
    Action Choose(const std::string& title)
    {
        return [this, title](LModalDialog& dialog) {
            auto* chooser = dynamic_cast<CSerPortDlg*>(&dialog);
            ASSERT_NE(chooser, nullptr) << "expected a serial-port dialog";
            PickWithMouse(chooser->Popup(), chooser->Popup().FindItem(title));
            fDriver.PlanKey("\r", 36);
        };
    }

    // Presses on the pop-up list, drags to the row of the item where the open list shows it,
    // and releases there; the selected item is left as it is. Played while the dialog waits.
    void PickWithMouse(LPopupList& popup, int32_t index)
    {
        ASSERT_GE(index, 0);
        plat::View* view = popup.NativeView();
        const double width = view->Frame().width;
        const double height = view->Frame().height;
        const plat::Point press = Screen(*view, {width / 2, height / 2});
        if (index == std::max(popup.GetSelection(), 0))
            return;
        fDriver.PlanPress(0, press);
        fDriver.PlanDragToward([view, index, width] {
            const auto& list = static_cast<plat::ControlView*>(view)->ModelAs<plat::PopUpButton>();
            return Screen(*view, {width / 2, list.RowTop(index) + list.RowHeight() / 2});
        });
        fDriver.PlanReleaseHere(plat::WindowTestDriver::kDragSettleMs);
    }

    // The newest n samples of a channel's ring, oldest first, read under the queue's lock.
    std::vector<float> Newest(uint32_t channel, uint32_t n) const
    {
        LAsyncQueueLock lock(*liveQueue);
        return SpecWindowTest::Newest(channel, n);
    }
    // Samples pushed into a channel's ring since `since` (a ring index), within one ring's length.
    uint32_t WrittenSince(uint32_t since, uint32_t channel = 0) const
    {
        LAsyncQueueLock lock(*liveQueue);
        const CSpectrumChan& chan = *window->Analyser().Channel(channel);
        return (chan.writeIndex - since) & chan.mask;
    }
    uint32_t Written(uint32_t channel = 0) const
    {
        LAsyncQueueLock lock(*liveQueue);
        return window->Analyser().Channel(channel)->writeIndex;
    }

    std::unique_ptr<CAsyncLoopThread> liveQueue;
    std::vector<std::string> seenDialogs;

private:
    // One pass of the main thread without waiting: its run loop (the queue's notes, the
    // serial port's reconnection) and the timers that fell due on the virtual clock.
    static void PumpOnce()
    {
        (void)plat::RunLoop::Current().RunPending(plat::kModeDefault);
        for (;;) {
            const LMessage msg = LTimer::DispatchDue(LTicks::Now(), nullptr, nullptr, true);
            if (msg.IsConsumed())
                return;
            LMessage::Send(msg);
        }
    }

    static plat::Point Screen(const plat::View& view, plat::Point local)
    {
        return view.GetWindow()->ConvertBaseToScreen(view.ConvertToWindow(local));
    }

    std::vector<Action> fActions;
    size_t fNext = 0;
};
