#include "platform/app/ApplicationMain.h"

#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/app/TerminationSignals.h"
#include "platform/menus/MenuActions.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace plat {

std::vector<std::string> PathOperands(int argc, char** argv)
{
    std::vector<std::string> paths;
    bool options = true;
    for (int i = 1; i < argc && argv; ++i) {
        const char* arg = argv[i];
        if (!arg || !*arg)
            continue;
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
            continue;
        }
        if (options && arg[0] == '-')
            continue;
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(arg, error);
        paths.push_back(error ? std::string(arg) : absolute.lexically_normal().string());
    }
    return paths;
}

namespace {

// Untargeted actions go to the delegate, then to the application.
ActionResponder* ResolveResponder(void* context, std::string_view action)
{
    auto* delegate = static_cast<ApplicationDelegate*>(context);
    if (delegate && delegate->RespondsTo(action))
        return delegate;
    Application& app = Application::Shared();
    return app.RespondsTo(action) ? &app : nullptr;
}

} // namespace

int ApplicationMain(int argc, char** argv, ApplicationDelegate& delegate)
{
    Application& app = Application::Shared();
    app.SetDelegate(&delegate);
    app.BeginRun();
    SetNilTargetResolver(&ResolveResponder, &delegate);
    {
        TerminationSignals signals;
        delegate.WillFinishLaunching();
        const std::vector<std::string> paths = PathOperands(argc, argv);
        for (const std::string& path : paths)
            delegate.OpenFile(path);
        delegate.DidFinishLaunching();
        if (paths.empty())
            delegate.OpenUntitledFile();
        if (!app.HasTerminated())
            app.SetActive(true);
        while (app.RunOnce()) {
        }
    }
    app.EndRun();
    SetNilTargetResolver(nullptr, nullptr);
    app.SetDelegate(nullptr);
    return 0;
}

} // namespace plat
