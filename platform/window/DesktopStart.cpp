#include "platform/window/DesktopStart.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlBackend.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace plat {

namespace {

// Not a static object: a program that never stops the desktop leaves it to the process's
// end rather than tearing it down after the window server and run loops it points into.
SdlBackend*& Installed()
{
    static SdlBackend* backend = nullptr;
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
    Installed() = backend.release();
    WindowServer::Shared().SetBackend(Installed());
    WindowServer::Shared().SetDisplaysBeforeWait(true);
    return {DesktopKind::Desktop, {}};
}

void StopDesktop()
{
    if (!Installed())
        return;
    WindowServer::Shared().SetDisplaysBeforeWait(false);
    WindowServer::Shared().SetBackend(nullptr);
    delete Installed();
    Installed() = nullptr;
}

} // namespace plat
