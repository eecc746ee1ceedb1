#include "platform/app/Application.h"

#include "platform/Clock.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/menus/MenuItem.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopSource.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace plat {

namespace {

constexpr std::array<std::string_view, 5> kOwnActions = {
    "terminate:", "showHelp:", "hide:", "hideOtherApplications:", "unhideAllApplications:",
};

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

void Application::Perform(std::string_view action, MenuItem*)
{
    if (action == "terminate:")
        Terminate();
    else if (action == "showHelp:")
        ++fHelpRequests;
    // Hiding and showing other applications needs a window server that knows of them; the
    // window model has only this program's windows, so those actions change nothing.
}

bool Application::ValidateMenuItem(const MenuItem& item) const
{
    return fDelegate ? fDelegate->ValidateMenuItem(item) : true;
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
    if (fDelegate && fDelegate->ShouldTerminate() == ApplicationDelegate::TerminateReply::Cancel)
        return false;
    if (fDelegate)
        fDelegate->WillTerminate();
    fTerminated = true;
    if (fRunning) {
        fRunning = false;
        RunLoop::Current().Stop(); // the run returns instead of waiting on
    }
    return true;
}

void Application::SetActive(bool active)
{
    if (active == fActive)
        return;
    fActive = active;
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

RunLoopSource& Application::EventSource()
{
    if (!fEventSource) // its only work is to end a wait
        fEventSource = std::make_unique<RunLoopSource>(RunLoop::Current(), [] {}, kModeCommon);
    return *fEventSource;
}

void Application::PostEvent(const AppEvent& event, bool atStart)
{
    std::lock_guard<std::mutex> lock(fEventMutex);
    if (atStart)
        fEvents.push_front(event);
    else
        fEvents.push_back(event);
    if (fEventSource)
        fEventSource->Signal();
}

void Application::DiscardEvents()
{
    std::lock_guard<std::mutex> lock(fEventMutex);
    fEvents.clear();
}

std::optional<AppEvent> Application::NextEvent(uint64_t deadlineMs, uint32_t mode, bool dequeue)
{
    EventSource();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(fEventMutex);
            if (!fEvents.empty()) {
                const AppEvent event = fEvents.front();
                if (dequeue)
                    fEvents.pop_front();
                return event;
            }
        }
        const uint64_t now = NowMs();
        if (now >= deadlineMs)
            return std::nullopt;
        if (RunLoop::Current().RunInMode(mode, deadlineMs - now, true) == RunResult::Stopped)
            return std::nullopt;
    }
}

ModalSession* Application::BeginModalSession(const void* window)
{
    fSessions.push_back(std::make_unique<ModalSession>());
    ModalSession* session = fSessions.back().get();
    session->window = window;
    if (!fScriptedAnswers.empty()) {
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
    if (!session->stopped)
        RunLoop::Current().RunPending(kModeModalPanel);
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

int Application::RunModalForWindow(const void* window)
{
    ModalSession* session = BeginModalSession(window);
    int code = RunModalSession(session);
    while (code == kRunContinues && !fTerminated) {
        // Waits for work in the modal-panel mode, a second at a time.
        if (RunLoop::Current().RunInMode(kModeModalPanel, 1000, true) == RunResult::Stopped)
            break;
        code = RunModalSession(session);
    }
    if (code == kRunContinues)
        code = kRunStopped;
    EndModalSession(session);
    return code;
}

} // namespace plat
