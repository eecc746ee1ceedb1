#pragma once
#include "platform/Geometry.h"

namespace plat {

class Window;

// What the user does to a window through its frame (title bar, size corner, close button),
// as the window server carries it out. The test driver and a desktop backend's window
// manager both go through here, so the model hears the same either way.
namespace UserWindowActions {

// The user dragged the window to a new frame origin (screen coordinates).
void Move(Window& window, const Point& frameOrigin);
// The user dragged the size corner to a new frame size; the delegate negotiates it and the
// top edge stays where it is. Only resizable windows change.
void Resize(Window& window, double frameWidth, double frameHeight);
// The user clicked the close button: the delegate may refuse. Only closable windows close.
void Close(Window& window);

} // namespace UserWindowActions

} // namespace plat
