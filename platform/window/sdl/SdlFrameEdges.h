#pragma once
#include "platform/window/sdl/SdlBackendImpl.h"

#include <optional>

namespace plat {

// Whether the edges are ones a frame can have: a border and a title bar, not a window's
// worth of pixels.
bool PlausibleFrameEdges(const FrameEdges& edges);

// A window manager puts the frame, not the window, where a new window asks to go, so the
// window itself would come out lower and further right by the frame's edges. Before a
// decorated window is first shown this learns the edges (from an earlier window of the
// same kind, else by asking the window manager) and asks for the frame's place instead, so
// the window shows where the model put it from its first frame on. Does nothing when the
// window manager does not tell its edges.
void PlaceFrameBeforeFirstShow(SdlBackend::Impl& impl, SdlSurface& surface, Uint32 kind, const SDL_Rect& client);

} // namespace plat
