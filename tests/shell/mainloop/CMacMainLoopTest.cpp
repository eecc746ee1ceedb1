#include "foundation/core/LMessage.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/app/MMainMenu.h"
#include "tests/shell/mainloop/MainLoopKit.h"
#include "ui/LTimer.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LPane.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <functional>

namespace {

// A handler that owns one framework timer and counts its expiries.
class TimedHandler : public LHandler {
public:
    TimedHandler() : timer(this) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.subject == &timer && StrEqual(msg.type, LTimer::msgExpire)) {
            ++expiries;
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    LTimer timer;
    int expiries = 0;
};

plat::Ref<plat::Event> Wheel(uint32_t window, double dy)
{
    auto event = plat::Event::New(plat::EventType::ScrollWheel);
    event->windowNumber = window;
    event->deltaY = dy;
    event->locationInWindow = {5, 5};
    return event;
}

} // namespace

TEST_F(MainLoopTest, FrameworkTimersArriveThroughTheOneLoopTimer)
{
    Pass(20);
    EXPECT_GT(loop->TimerDueMs(), plat::NowMs() + 0x7FFFFFFF - 20); // idle: armed 0x7FFFFFFF ms ahead
    TimedHandler handler;
    handler.timer.Start(25);
    EXPECT_EQ(loop->TimerDueMs(), plat::NowMs() + 25);
    Pass(24);
    EXPECT_EQ(handler.expiries, 0);
    Pass(1);
    EXPECT_EQ(handler.expiries, 1);

    handler.timer.Start(3); // never more often than every 10 ms
    EXPECT_EQ(loop->TimerDueMs(), plat::NowMs() + 10);
    Pass(9);
    EXPECT_EQ(handler.expiries, 1);
    Pass(1);
    EXPECT_EQ(handler.expiries, 2);

    handler.timer.StartPeriodic(40);
    Pass(200);
    EXPECT_EQ(handler.expiries, 7);
    handler.timer.Stop();
}

TEST_F(MainLoopTest, ATimerDueNowSetsThePendingFlagOnce)
{
    Pass(20);
    TimedHandler handler;
    handler.timer.Start(0);
    EXPECT_TRUE(loop->IsTimerPending());
    const uint64_t due = loop->TimerDueMs();
    clock.AdvanceMs(3);
    loop->Reschedule(); // pending: nothing changes
    EXPECT_EQ(loop->TimerDueMs(), due);
    Pass(10);
    EXPECT_EQ(handler.expiries, 1);
    EXPECT_FALSE(loop->IsTimerPending());
}

TEST_F(MainLoopTest, WheelMovementWithinTenMillisecondsArrivesAsOneMessage)
{
    auto window = MakeWindow(1);
    const uint32_t number = window->Native()->Number();
    for (int i = 0; i < 3; ++i)
        loop->AccumulateWheel(*Wheel(number, 1.5));
    Pass(10);
    EXPECT_EQ(Count(fFrame, "LWindow_Wheel"), 1);
    EXPECT_EQ(fMouse.GetWheelY(), 90);
    EXPECT_EQ(fMouse.GetWheelX(), 0);

    // Over a window that went before the timer fired: dropped, and the next one starts fresh.
    loop->AccumulateWheel(*Wheel(9999, -2.0));
    Pass(10);
    EXPECT_EQ(Count(fFrame, "LWindow_Wheel"), 1);
    loop->AccumulateWheel(*Wheel(number, -0.5));
    Pass(10);
    EXPECT_EQ(Count(fFrame, "LWindow_Wheel"), 2);
    EXPECT_EQ(fMouse.GetWheelY(), -10);
}

TEST_F(MainLoopTest, TheQuitQuestionIsAnsweredByTheApplicationChain)
{
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    EXPECT_FALSE(loop->quitPending);

    RecordingHandler refusing(nullptr, "CMainLoopBase_Quit");
    app.SetParent(&refusing);
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Cancel);
    EXPECT_TRUE(loop->quitPending);
    app.SetParent(nullptr);
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
}

TEST_F(MainLoopTest, MenusAreEnabledByTheChainAndChosenItemsReachTheCommandTarget)
{
    app.onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, "LMenuBar_Ready")) {
            static_cast<LMenuBar*>(msg.subject)->EnableCommand("LStdCmd_New");
            static_cast<LMenuBar*>(msg.subject)->EnableCommand("LStdCmd_Quit");
        }
    };
    std::vector<std::string> chosen;
    RecordingHandler top(nullptr, "LMenuItem_Selected");
    top.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, "LMenuItem_Selected"))
            chosen.emplace_back(static_cast<LMenuItem*>(msg.subject)->GetCommandName().View());
    };
    app.SetParent(&top);
    EXPECT_TRUE(plat::MenuDriver::Choose({"File", "New"}));
    EXPECT_FALSE(plat::MenuDriver::Choose({"File", "Open…"})); // nobody enabled it
    EXPECT_TRUE(plat::MenuDriver::PressKey("n", plat::kCommandKeyMask));
    EXPECT_FALSE(plat::MenuDriver::PressKey("o", plat::kCommandKeyMask));
    EXPECT_EQ(chosen, (std::vector<std::string>{"LStdCmd_New", "LStdCmd_New"}));

    // The system's Quit item follows the framework's Quit item and asks the application.
    app.onMessage = nullptr;
    EXPECT_FALSE(plat::MenuDriver::Choose({"%0", "Quit Sonalyx"}));
    app.onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, "LMenuBar_Ready"))
            static_cast<LMenuBar*>(msg.subject)->EnableCommand("LStdCmd_Quit");
    };
    EXPECT_FALSE(plat::Application::Shared().HasTerminated());
    EXPECT_TRUE(plat::MenuDriver::PressKey("q", plat::kCommandKeyMask));
    EXPECT_EQ(Count(app, "CMainLoopBase_Quit"), 1);
    EXPECT_TRUE(plat::Application::Shared().HasTerminated());
    app.SetParent(nullptr);
}

TEST_F(MainLoopTest, AModalWindowGetsOneSessionUntilItEndsAndItsStepsReleaseForeignCaptures)
{
    auto window = MakeWindow(1, 3);
    fDesktop.ShowWindow(window.get());
    ASSERT_EQ(CDesktop::FindWindowOfLayer(3), window.get());
    EXPECT_EQ(CMainLoopBase::ModalWindowOwner(), &fFrame);
    plat::Application& application = plat::Application::Shared();
    RecordingHandler dialog;
    plat::Application::PostEvent(1, 0, 0, false); // the step finds an event at once
    loop->ModalStep(&dialog);
    EXPECT_EQ(application.ModalSessionCount(), 1u);
    EXPECT_EQ(loop->ModalDepth(), 0u);
    plat::Application::PostEvent(2, 0, 0, false);
    loop->ModalStep(&dialog);
    EXPECT_EQ(application.ModalSessionCount(), 1u); // reused
    fDesktop.HideWindow(window.get());              // hiding ends the session
    EXPECT_EQ(application.ModalSessionCount(), 0u);
    loop->EndModal(window.get()); // no session: nothing

    fDesktop.ShowWindow(window.get()); // a step releases a capture outside the modal window's chain
    RecordingHandler elsewhere;
    fMouse.SetCapture(&elsewhere);
    plat::Application::PostEvent(1, 0, 0, false);
    loop->ModalStep(&elsewhere);
    EXPECT_EQ(fMouse.Capture(), nullptr);
    EXPECT_EQ(Count(elsewhere, "LMouse_Release"), 1);

    RecordingHandler inside(&fFrame);
    fMouse.SetCapture(&inside);
    plat::Application::PostEvent(1, 0, 0, false);
    loop->ModalStep(&inside);
    EXPECT_EQ(fMouse.Capture(), &inside);
    fMouse.SetCapture(nullptr);
    loop->EndModal(window.get());
}

TEST_F(MainLoopTest, TheWakeSignalCallsOnceAndWakesAnEventWait)
{
    int calls = 0;
    std::unique_ptr<CRunLoopSignal> signal(loop->CreateWakeSignal(
        [](void* context, CRunLoopSignal*) { ++*static_cast<int*>(context); }, &calls));
    signal->Signal();
    signal->Signal();
    EXPECT_TRUE(signal->IsPending());
    plat::EventQueue::Shared().Clear();
    runner.RunUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(signal->IsPending());
    plat::Ref<plat::Event> event = plat::Application::NextEvent(plat::kEventMaskAny, 0, plat::kModeDefault, true);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, plat::EventType::ApplicationDefined);
}


// Before the cursor is chosen the loop reads where the pointer is: a window that moved under a
// pointer standing still gets to set the cursor. A tracked press keeps the pointer to itself.
TEST_F(MainLoopTest, TheCursorFollowsAWindowMovingUnderAStillPointer)
{
    const auto at = [](int32_t x, int32_t y) { return plat::Point{double(x), 900.0 - y}; };
    RecordingHandler secondOwner;
    auto first = MakeWindow(9);
    first->SetContentRect(CLRect{100, 100, 300, 300});
    fDesktop.ShowWindow(first.get());
    auto second = MakeWindow(9, 2, &secondOwner);   // floating: asked wherever it lies
    second->SetContentRect(CLRect{700, 100, 900, 300});
    fDesktop.ShowWindow(second.get());
    TimedHandler ticking;   // the loop turns on a framework timer, as a document's render timer does
    ticking.timer.StartPeriodic(20);

    enum class Cursor { First, Second, Neither };
    struct Step {
        const char* what;
        std::function<void()> act;
        CLPoint mouse;   // where the mouse is taken to be afterwards
        Cursor asked;    // whose window is asked for the cursor meanwhile
    };
    const Step steps[] = {
        {"over the first window", [&] { fDriver.MovePointer(at(200, 200)); }, {200, 200}, Cursor::First},
        {"over no window", [&] { fDriver.MovePointer(at(500, 200)); }, {500, 200}, Cursor::Neither},
        {"the second window moves under it", [&] { second->SetContentRect(CLRect{400, 100, 600, 300}); },
         {500, 200}, Cursor::Second},
        {"a press in the first window is held", [&] {
             fDriver.PostMouse(plat::EventType::LeftMouseDown, at(200, 200));
             fDriver.DeliverAll();
             fDriver.MovePointer(at(500, 200));
         }, {200, 200}, Cursor::Neither},
        {"and released over the second", [&] {
             Pass(60);   // held 120 ms in all
             fDriver.PostMouse(plat::EventType::LeftMouseUp, at(500, 200));
             fDriver.DeliverAll();
         }, {500, 200}, Cursor::Second},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        fFrame.seen.clear();
        secondOwner.seen.clear();
        Pass(60);
        EXPECT_EQ(fMouse.location, step.mouse);
        EXPECT_EQ(Count(fFrame, "LWindow_Cursor") > 0, step.asked == Cursor::First);
        EXPECT_EQ(Count(secondOwner, "LWindow_Cursor") > 0, step.asked == Cursor::Second);
    }
    ticking.timer.Stop();
}
