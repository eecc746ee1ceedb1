#include "platform/app/Application.h"

#include "platform/Clock.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/menus/MenuItem.h"
#include "platform/runloop/RunLoop.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/menus/MenuTracking.h"
#include "platform/menus/WindowMenu.h"
#include "platform/system/HelpFile.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/EventRouter.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace plat {

namespace {

constexpr std::array<std::string_view, 5> kOwnActions = {
    "terminate:", "showHelp:", "hide:", "unhideAllApplications:", kOrderFrontWindowAction,
};

// One modal step delivers at most this many queued events, so a flood cannot hold it.
constexpr int kMaxEventsPerStep = 64;

// While a modal window runs, presses and wheel turns aimed at any other window of the program
// are not delivered: they bring the modal window forward instead, so a person cannot work a
// document (or open a second question) behind an open dialog. Releases and drags still go to
// the view that tracks them, keys to the key window.
bool HeldBackByModalWindow(const Event& event, const ModalSession& session)
{
    if (!session.window || event.windowNumber == 0)
        return false;
    switch (event.type) {
    case EventType::LeftMouseDown:
    case EventType::RightMouseDown:
    case EventType::ScrollWheel:
        break;
    default:
        return false;
    }
    WindowServer& server = WindowServer::Shared();
    const Window* target = server.WithNumber(event.windowNumber);
    if (!target || target == session.window)
        return false;
    // The session names its window only by address: it is compared, never followed, unless the
    // window is still one of the server's.
    for (Window* window : server.OrderedWindows()) {
        if (window == session.window && server.IsVisible(*window)) {
            window->OrderFront();
            return true;
        }
    }
    return false;
}

} // namespace

Application& Application::Shared()
{
    static Application* app = new Application(); // lives as long as the process
    return *app;
}

Application::Application() = default;

bool Application::RespondsTo(std::string_view action) const
{
    return std::find(kOwnActions.begin(), kOwnActions.end(), action) != kOwnActions.end();
}

void Application::Perform(std::string_view action, MenuItem* sender)
{
    if (action == "terminate:")
        Terminate();
    else if (action == "showHelp:")
        ShowHelp();
    else if (action == "hide:")
        WindowMenu::HideAll();
    else if (action == "unhideAllApplications:")
        WindowMenu::ShowAll();
    else if (action == kOrderFrontWindowAction && sender)
        WindowMenu::BringForward(*sender);
}

void Application::ShowHelp()
{
    ++fHelpRequests;
    const HelpFile::Result result = HelpFile::Open();
    if (result == HelpFile::Result::Opened || !fDelegate)
        return;
    fDelegate->HelpNotShown(result == HelpFile::Result::Missing ? ApplicationDelegate::HelpProblem::Missing
                                                                : ApplicationDelegate::HelpProblem::NoOpener,
                            HelpFile::Path());
}

bool Application::ValidateMenuItem(const MenuItem& item) const
{
    return fDelegate ? fDelegate->ValidateMenuItem(item) : true;
}

void Application::Reset()
{
    fRunning = false;
    fTerminated = false;
    fActive = false;
    fNeedsUpdate = false;
    fQuitWithoutAsking = false;
    fQuitAfterQuestions = false;
    fCanAskQuestions = false;
    fHelpRequests = 0;
    fSessions.clear();
    fScriptedAnswers.clear();
    fIdleUser = nullptr;
}

void Application::BeginRun()
{
    fRunning = true;
    fTerminated = false;
}

bool Application::Terminate()
{
    if (fTerminated)
        return true;
    if (!fQuitWithoutAsking && fDelegate &&
        fDelegate->ShouldTerminate() == ApplicationDelegate::TerminateReply::Cancel)
        return false;
    FinishTermination();
    return true;
}

void Application::TerminateWithoutAsking()
{
    if (fTerminated)
        return;
    fQuitWithoutAsking = true;
    AbortModalSessions();
}

void Application::TerminateOnceNoQuestionIsOpen()
{
    if (fTerminated)
        return;
    if (fSessions.empty()) {
        Terminate();
        return;
    }
    fQuitAfterQuestions = true;
    AbortModalSessions();
}

void Application::AbortModalSessions()
{
    for (const auto& session : fSessions) {
        session->stopped = true;
        session->code = kRunAborted;
    }
    // The run finishes the quit at its next pass, outside any question in progress.
    PostEvent(kStopSubtype, 0, 0, false);
}

void Application::FinishTermination()
{
    if (fDelegate)
        fDelegate->WillTerminate();
    fTerminated = true;
    if (fRunning) {
        fRunning = false;
        PostEvent(kStopSubtype, 0, 0, false); // ends the run's wait for the next event
    }
}

void Application::SetActive(bool active)
{
    if (active == fActive)
        return;
    fActive = active;
    if (!active)
        MenuTracking::Shared().Close(); // an open menu does not outlive the program's focus
    WindowServer::Shared().SetActive(active);
    if (!fDelegate)
        return;
    if (active)
        fDelegate->DidBecomeActive();
    else
        fDelegate->DidResignActive();
}

void Application::UpdateWindows()
{
    if (!fNeedsUpdate)
        return;
    fNeedsUpdate = false;
    if (fDelegate)
        fDelegate->WillUpdate();
}

void Application::PostEvent(int16_t subtype, int64_t data1, int64_t data2, bool atStart)
{
    Ref<Event> event = Event::New(EventType::ApplicationDefined);
    event->timestamp = EventQueue::Timestamp();
    event->subtype = subtype;
    event->data1 = data1;
    event->data2 = data2;
    EventQueue::Shared().Post(event, atStart);
}

Ref<Event> Application::NextEvent(uint64_t mask, uint64_t timeoutMs, uint32_t mode, bool dequeue)
{
    Application& app = Shared();
    // Only a real wait: a poll for what is ready now is no pause the user acts in.
    if (timeoutMs > 0 && app.fIdleUser && !app.fInIdleUser && !EventQueue::Shared().NextMatching(mask, 0, mode, false)) {
        app.fInIdleUser = true;
        const std::function<void()> user = app.fIdleUser;
        user();
        app.fInIdleUser = false;
    }
    return EventQueue::Shared().NextMatching(mask, timeoutMs, mode, dequeue);
}

void Application::SendEvent(Event& event)
{
    if (MenuTracking::Shared().HandleEvent(event)) {
        EventQueue::Shared().SetCurrent(Ref<Event>(&event));
        return;
    }
    if (event.type == EventType::KeyDown && (event.modifierFlags & (kCommandKeyMask | kControlKeyMask | kOptionKeyMask))) {
        const std::shared_ptr<Menu> menu = MainMenu();
        KeyPress key{event.characters, event.charactersIgnoringModifiers, event.modifierFlags};
        if (menu && menu->PerformKeyEquivalent(key))
            return;
    }
    if (event.type == EventType::ApplicationDefined)
        return; // the program's own wake-ups carry nothing to deliver
    if (const ModalSession* session = CurrentModalSession(); session && HeldBackByModalWindow(event, *session))
        return;
    EventRouter::Shared().Send(event);
}

bool Application::RunOnce()
{
    if (fTerminated)
        return false;
    if (fQuitWithoutAsking) {
        FinishTermination();
        return false;
    }
    if (fQuitAfterQuestions && fSessions.empty()) {
        fQuitAfterQuestions = false;
        if (Terminate())
            return false;
    }
    UpdateWindows();
    MenuBarHost::Update();
    // While a menu is open the wait is in the event-tracking mode: common-mode timers fire.
    if (Ref<Event> event = NextEvent(kEventMaskAny, 1000, MenuTracking::Shared().WaitMode(kModeDefault), true))
        SendEvent(*event);
    return !fTerminated;
}

ModalSession* Application::BeginModalSession(const void* window)
{
    fSessions.push_back(std::make_unique<ModalSession>());
    ModalSession* session = fSessions.back().get();
    session->window = window;
    if (IsCancellingQuestions()) {
        session->stopped = true;
        session->code = kRunAborted;
    } else if (!fScriptedAnswers.empty()) {
        session->stopped = true;
        session->code = fScriptedAnswers.front();
        fScriptedAnswers.pop_front();
    }
    return session;
}

int Application::RunModalSession(ModalSession* session)
{
    if (!session)
        return kRunStopped;
    // What is ready now, without waiting: timers and sources, then queued events.
    RunLoop::Current().RunPending(kModeModalPanel);
    for (int i = 0; i < kMaxEventsPerStep && !session->stopped; ++i) {
        Ref<Event> event = NextEvent(kEventMaskAny, 0, kModeModalPanel, true);
        if (!event)
            break;
        SendEvent(*event);
    }
    return session->stopped ? session->code : kRunContinues;
}

void Application::EndModalSession(ModalSession* session)
{
    fSessions.erase(std::remove_if(fSessions.begin(), fSessions.end(),
                                   [session](const auto& s) { return s.get() == session; }),
                    fSessions.end());
}

void Application::StopModalWithCode(int code)
{
    if (fSessions.empty())
        return;
    fSessions.back()->stopped = true;
    fSessions.back()->code = code;
}

ModalSession* Application::CurrentModalSession() const
{
    return fSessions.empty() ? nullptr : fSessions.back().get();
}

Window* Application::ModalWindowOnScreen() const
{
    // A session names its window only by address: it is compared, never followed.
    WindowServer& server = WindowServer::Shared();
    const std::vector<Window*> windows = server.OrderedWindows();
    for (auto it = fSessions.rbegin(); it != fSessions.rend(); ++it)
        for (Window* window : windows)
            if (window == (*it)->window && server.IsVisible(*window))
                return window;
    return nullptr;
}

int Application::RunModalForWindow(const void* window)
{
    ModalSession* session = BeginModalSession(window);
    int code = RunModalSession(session);
    while (code == kRunContinues && !fTerminated && !fQuitWithoutAsking) {
        // Waits for an event in the modal-panel mode, a second at a time.
        if (Ref<Event> event = NextEvent(kEventMaskAny, 1000, kModeModalPanel, true))
            SendEvent(*event);
        code = RunModalSession(session);
    }
    if (code == kRunContinues)
        code = fQuitWithoutAsking ? kRunAborted : kRunStopped;
    EndModalSession(session);
    return code;
}

} // namespace plat
