#pragma once
// Shared by the SDL backend's files only.
#include "platform/window/sdl/SdlBackendImpl.h"

namespace plat {

// From now on, the X server time of each input event SDL reads (a key, a button, a move of the
// pointer) is kept as the backend's user time; the X events themselves never reach SDL's queue.
void WatchUserTime(SdlBackend::Impl& impl);
void StopWatchingUserTime();

// Raises a shown window and asks the window manager to make it the active window, on behalf
// of the person's last input: a request the window manager can date is one it honours as the
// person's, and it draws the window it activates active.
void RequestActivation(const SdlBackend::Impl& impl, SDL_Window* sdl);

// Tells the window manager, before the window is mapped, that it is a modal dialog.
void MarkModal(SDL_Window* sdl);

} // namespace plat
