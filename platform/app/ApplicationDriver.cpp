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

void ApplicationDriver::Activate()
{
    Application::Shared().SetActive(true);
}

void ApplicationDriver::Deactivate()
{
    Application::Shared().SetActive(false);
}

} // namespace plat
