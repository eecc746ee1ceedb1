#pragma once
#include "platform/window/sdl/SdlBackendImpl.h"

namespace plat {

// Handles what the desktop tells about windows rather than input: the window manager's
// moves, resizes, closes and focus changes, exposures, dropped files, clipboard and screen
// changes. Changes to the model are queued on the backend and run after the batch. Answers
// whether the event was one of these.
bool HandleDesktopEvent(SdlBackend& backend, SdlBackend::Impl& impl, const SDL_Event& event);

} // namespace plat
