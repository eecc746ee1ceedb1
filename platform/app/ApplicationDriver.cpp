#include "platform/app/ApplicationDriver.h"

#include "platform/app/Application.h"
#include "platform/window/EventQueue.h"

namespace plat {

ApplicationDriver::ApplicationDriver()
{
    ResetApplication();
}

ApplicationDriver::~ApplicationDriver()
{
    ResetApplication();
}

void ApplicationDriver::ResetApplication()
{
    Application& app = Application::Shared();
    app.SetDelegate(nullptr);
    app.Reset();
    EventQueue::Shared().Clear();
}

void ApplicationDriver::ScriptModalAnswers(std::initializer_list<int> codes)
{
    for (int code : codes)
        Application::Shared().ScriptModalAnswer(code);
}

void ApplicationDriver::PlayWhenIdle(std::vector<std::function<void()>> actions)
{
    fActions = std::make_shared<std::deque<std::function<void()>>>(actions.begin(), actions.end());
    Application::Shared().SetIdleUser([queue = fActions] {
        if (queue->empty()) {
            // An idle user still lets the wait end, so that a program waiting for input that
            // never comes spins (and a bounded test fails) instead of blocking for good.
            Application::PostEvent(0, 0, 0, false);
            return;
        }
        const std::function<void()> action = std::move(queue->front());
        queue->pop_front();
        action();
    });
}

size_t ApplicationDriver::PendingActions() const
{
    return fActions ? fActions->size() : 0;
}

void ApplicationDriver::Activate()
{
    Application::Shared().SetActive(true);
}

void ApplicationDriver::Deactivate()
{
    Application::Shared().SetActive(false);
}

} // namespace plat
