// The person's last input dates the backend's requests to the window manager: the X server
// time of keys, buttons and pointer moves is kept, other X events leave it as it was, and none
// of them reaches SDL's queue.
#include "platform/window/sdl/SdlActivation.h"
#include "platform/cursors/Cursor.h"
#include "platform/runloop/FdSource.h"

#include <gtest/gtest.h>
// Last: Xlib's macros (None among them) would break the headers above.
#include <SDL_syswm.h>

namespace plat {
namespace {

XEvent Stamped(int type, unsigned long time)
{
    XEvent event{};
    event.type = type;
    if (type == PropertyNotify)
        event.xproperty.time = time;
    else
        event.xkey.time = time; // keys, buttons and moves keep their time at one place
    return event;
}

TEST(SdlActivation, TheLastInputDatesTheRequests)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    SdlBackend::Impl impl;
    WatchUserTime(impl);
    const struct {
        int type;
        unsigned long time, kept;
    } rows[] = {{KeyPress, 100, 100},     {MotionNotify, 150, 150}, {PropertyNotify, 900, 150},
                {ButtonPress, 200, 200},  {ButtonRelease, 210, 210}, {KeyRelease, 300, 300},
                {EnterNotify, 950, 300}};
    for (const auto& row : rows) {
        SDL_SysWMmsg message{};
        SDL_VERSION(&message.version);
        message.subsystem = SDL_SYSWM_X11;
        message.msg.x11.event = Stamped(row.type, row.time);
        SDL_Event event{};
        event.type = SDL_SYSWMEVENT;
        event.syswm.msg = &message;
        SDL_PushEvent(&event);
        EXPECT_EQ(impl.userTime, row.kept) << "X event type " << row.type;
    }
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_SYSWMEVENT, SDL_SYSWMEVENT), 0);
    StopWatchingUserTime();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

} // namespace
} // namespace plat
