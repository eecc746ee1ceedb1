#include "platform/window/DesktopStart.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlBackend.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace plat {

namespace {

std::unique_ptr<SdlBackend>& Installed()
{
    static std::unique_ptr<SdlBackend> backend;
    return backend;
}

} // namespace

DesktopStartResult StartDesktop()
{
    const char* headless = std::getenv("SONALYX_HEADLESS");
    if (headless && std::strcmp(headless, "1") == 0)
        return {DesktopKind::Headless, {}};
    std::string error;
    std::unique_ptr<SdlBackend> backend = SdlBackend::Start(&error);
    if (!backend)
        return {DesktopKind::NoDisplay, error};
    Installed() = std::move(backend);
    WindowServer::Shared().SetBackend(Installed().get());
    WindowServer::Shared().SetDisplaysBeforeWait(true);
    return {DesktopKind::Desktop, {}};
}

void StopDesktop()
{
    if (!Installed())
        return;
    WindowServer::Shared().SetDisplaysBeforeWait(false);
    WindowServer::Shared().SetBackend(nullptr);
    Installed().reset();
}

} // namespace plat
