#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/app/ApplicationMain.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/system/UrlLauncher.h"

#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace plat;

namespace {

// Notes every call in order; the test decides what happens after launching and whether a
// quit is granted.
class LogDelegate : public ApplicationDelegate {
public:
    void WillFinishLaunching() override { log.push_back("will-finish"); }
    bool OpenFile(const std::string& path) override
    {
        log.push_back("open " + path);
        return true;
    }
    void DidFinishLaunching() override
    {
        log.push_back("did-finish");
        if (afterLaunch)
            afterLaunch();
    }
    bool OpenUntitledFile() override
    {
        log.push_back("untitled");
        return true;
    }
    TerminateReply ShouldTerminate() override
    {
        log.push_back("should-terminate");
        if (onShouldTerminate)
            onShouldTerminate();
        return refusals-- > 0 ? TerminateReply::Cancel : TerminateReply::Now;
    }
    void WillTerminate() override { log.push_back("will-terminate"); }
    void DidBecomeActive() override { log.push_back("active"); }
    void DidResignActive() override { log.push_back("inactive"); }
    void WillUpdate() override { log.push_back("update"); }

    std::vector<std::string> log;
    std::function<void()> afterLaunch;
    std::function<void()> onShouldTerminate;
    int refusals = 0;
};

int Launch(LogDelegate& delegate, std::vector<const char*> args)
{
    args.insert(args.begin(), "sonalyx");
    return ApplicationMain(int(args.size()), const_cast<char**>(args.data()), delegate);
}

} // namespace

TEST(ApplicationMain, FilesOpenBetweenTheLaunchStepsAndNoUntitledFollows)
{
    ApplicationDriver driver;
    LogDelegate delegate;
    delegate.afterLaunch = [] { Application::Shared().Terminate(); };
    EXPECT_EQ(Launch(delegate, {"-v", "/tmp/a.snx", "/tmp/x/../b.snx", "--", "-odd"}), 0);
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"will-finish", "open /tmp/a.snx", "open /tmp/b.snx",
                                                      "open " + cwd + "/-odd", "did-finish", "should-terminate",
                                                      "will-terminate"}));
    EXPECT_FALSE(Application::Shared().IsRunning());
}

TEST(ApplicationMain, WithoutFilesAnUntitledDocumentOpensAfterLaunching)
{
    ApplicationDriver driver;
    LogDelegate delegate;
    // The quit comes from the Quit item of the main menu, as the user would choose it.
    auto main = Menu::Make("Main");
    auto appMenu = Menu::Make("App");
    appMenu->Add(MenuItem::Make("Quit", "terminate:", "q"));
    auto holder = MenuItem::Make("App");
    holder->SetSubmenu(appMenu);
    main->Add(holder);
    SetMainMenu(main);
    delegate.afterLaunch = [] { Application::Shared().SetWindowsNeedUpdate(true); };
    RunLoopTimer quit(RunLoop::Current(), [] { EXPECT_TRUE(MenuDriver::Choose({"App", "Quit"})); }, kModeCommon);
    quit.FireAfter(0);
    Launch(delegate, {});
    SetMainMenu(nullptr);
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"will-finish", "did-finish", "untitled", "active", "update",
                                                      "should-terminate", "will-terminate"}));
}

TEST(ApplicationMain, ATerminationSignalAsksAndASecondOneEndsTheQuestionAndQuits)
{
    ApplicationDriver driver;
    Application::Shared().SetCanAskQuestions(true);
    LogDelegate delegate;
    delegate.refusals = 1;
    int questionCode = 0;
    delegate.afterLaunch = [] { std::raise(SIGTERM); };
    delegate.onShouldTerminate = [&] {
        std::raise(SIGHUP); // arrives while the question is shown
        questionCode = Application::Shared().RunModalForWindow(&questionCode);
    };
    Launch(delegate, {"/tmp/doc.snx"});
    EXPECT_EQ(questionCode, Application::kRunAborted);
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"will-finish", "open /tmp/doc.snx", "did-finish", "active",
                                                      "should-terminate", "will-terminate"}));

    // The signals have their old handling back: ignoring SIGINT still works as before.
    struct sigaction current {};
    sigaction(SIGINT, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

TEST(ApplicationMain, ATerminationSignalDuringAQuestionEndsItAsCancelledBeforeAsking)
{
    // Asking inside the question would close the windows it belongs to while it still runs.
    ApplicationDriver driver;
    Application::Shared().SetCanAskQuestions(true);
    LogDelegate delegate;
    int questionCode = 0;
    int lateCode = 0;
    delegate.afterLaunch = [&] {
        RunLoopTimer signal(RunLoop::Current(), [] { std::raise(SIGTERM); }, kModeModalPanel);
        signal.FireAfter(0);
        questionCode = Application::Shared().RunModalForWindow(&questionCode);
        lateCode = Application::Shared().RunModalForWindow(&lateCode); // one asked on the way out
        delegate.log.push_back("questions ended");
    };
    Launch(delegate, {"/tmp/doc.snx"});
    EXPECT_EQ(questionCode, Application::kRunAborted);
    EXPECT_EQ(lateCode, Application::kRunAborted);
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"will-finish", "open /tmp/doc.snx", "did-finish",
                                                      "questions ended", "active", "should-terminate",
                                                      "will-terminate"}));
}

TEST(ApplicationMain, WhenNoQuestionCanBeShownASignalQuitsWithoutAsking)
{
    ApplicationDriver driver;
    EXPECT_FALSE(Application::Shared().CanAskQuestions());
    LogDelegate delegate;
    delegate.afterLaunch = [] { std::raise(SIGTERM); };
    Launch(delegate, {});
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"will-finish", "did-finish", "untitled", "active",
                                                      "will-terminate"}));
    EXPECT_TRUE(Application::Shared().IsTerminatingWithoutAsking());
    ModalSession* late = Application::Shared().BeginModalSession(&delegate);
    EXPECT_EQ(Application::Shared().RunModalSession(late), Application::kRunAborted);
    Application::Shared().EndModalSession(late);
}

TEST(Application, ModalSessionsEndWithScriptedOrStoppedResults)
{
    ApplicationDriver driver;
    Application& app = Application::Shared();
    driver.ScriptModalAnswers({7});
    int window = 0;
    EXPECT_EQ(app.RunModalForWindow(&window), 7);
    EXPECT_EQ(app.ModalSessionCount(), 0u);

    // A session stopped by its own work (here a timer of the modal-panel mode).
    RunLoopTimer stop(RunLoop::Current(), [&] { app.StopModalWithCode(3); }, kModeModalPanel);
    stop.FireAfter(0);
    EXPECT_EQ(app.RunModalForWindow(&window), 3);

    // Nested sessions: only the innermost is stopped.
    ModalSession* outer = app.BeginModalSession(&window);
    ModalSession* inner = app.BeginModalSession(&stop);
    EXPECT_EQ(app.CurrentModalSession(), inner);
    app.StopModal();
    EXPECT_EQ(app.RunModalSession(inner), Application::kRunStopped);
    EXPECT_EQ(app.RunModalSession(outer), Application::kRunContinues);
    app.EndModalSession(inner);
    app.StopModalWithCode(1);
    EXPECT_EQ(app.RunModalSession(outer), 1);
    app.EndModalSession(outer);
    app.StopModal(); // without a session: nothing
    EXPECT_EQ(app.ModalSessionCount(), 0u);
}

TEST(Application, AnEventPostedFromAnotherThreadEndsTheWait)
{
    ApplicationDriver driver;
    std::thread poster([] { Application::PostEvent(4, 10, 20, false); });
    Ref<Event> event = Application::NextEvent(EventMask(EventType::ApplicationDefined), 5000, kModeModalPanel, true);
    poster.join();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->subtype, 4);
    EXPECT_EQ(event->data2, 20);
    EXPECT_FALSE(Application::NextEvent(kEventMaskAny, 0, kModeDefault, true));
}

TEST(Application, CommandKeysGoToTheMainMenuFirst)
{
    ApplicationDriver driver;
    struct Target final : ActionResponder {
        bool RespondsTo(std::string_view action) const override { return action == "copy:"; }
        void Perform(std::string_view, MenuItem*) override { ++copies; }
        int copies = 0;
    } target;
    auto main = Menu::Make("Main");
    auto edit = Menu::Make("Edit");
    auto copy = MenuItem::Make("Copy", "copy:", "c");
    copy->SetTarget(&target);
    edit->Add(copy);
    auto holder = MenuItem::Make("Edit");
    holder->SetSubmenu(edit);
    main->Add(holder);
    SetMainMenu(main);
    Ref<Event> key = Event::New(EventType::KeyDown);
    key->characters = key->charactersIgnoringModifiers = "c";
    key->modifierFlags = kCommandKeyMask;
    Application::Shared().SendEvent(*key);
    key->modifierFlags = kCommandKeyMask | kShiftKeyMask; // no item: goes on to the windows
    Application::Shared().SendEvent(*key);
    SetMainMenu(nullptr);
    EXPECT_EQ(target.copies, 1);
}

TEST(Application, ItsOwnActionsAndTheDelegatesValidation)
{
    ApplicationDriver driver;
    Application& app = Application::Shared();
    EXPECT_TRUE(app.RespondsTo("showHelp:"));
    EXPECT_FALSE(app.RespondsTo("copy:"));
    auto help = MenuItem::Make("Help", "showHelp:");
    UrlLauncher::SetRecorder([](const std::string&) {});  // the opener is not started from tests
    app.Perform("showHelp:", help.get());
    UrlLauncher::SetRecorder({});
    EXPECT_EQ(app.HelpRequests(), 1);

    struct Refusing : ApplicationDelegate {
        bool ValidateMenuItem(const MenuItem& item) const override { return item.Action() != "terminate:"; }
    } delegate;
    app.SetDelegate(&delegate);
    EXPECT_FALSE(app.ValidateMenuItem(*MenuItem::Make("Quit", "terminate:")));
    EXPECT_TRUE(app.ValidateMenuItem(*help));
    EXPECT_TRUE(app.Terminate()); // not running: granted, nothing to stop
    EXPECT_TRUE(app.HasTerminated());
}
