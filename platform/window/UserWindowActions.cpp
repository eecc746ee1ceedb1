#include "platform/window/UserWindowActions.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"

namespace plat::UserWindowActions {

void Move(Window& window, const Point& frameOrigin)
{
    Rect frame = window.Frame();
    if (frame.x == frameOrigin.x && frame.y == frameOrigin.y)
        return;
    frame.x = frameOrigin.x;
    frame.y = frameOrigin.y;
    window.SetFrame(frame, false);
}

void Resize(Window& window, double frameWidth, double frameHeight)
{
    if (!(window.StyleMask() & kStyleResizable))
        return;
    Size size{frameWidth, frameHeight};
    if (window.Delegate())
        size = window.Delegate()->WillResize(window, size);
    Rect frame = window.Frame();
    const double top = frame.y + frame.height; // the top edge stays where it is
    frame.width = size.width;
    frame.height = size.height;
    frame.y = top - size.height;
    window.SetFrame(frame, true);
}

void Close(Window& window)
{
    if (!(window.StyleMask() & kStyleClosable))
        return;
    Ref<Window> keep(&window);
    if (!window.Delegate() || window.Delegate()->ShouldClose(window))
        window.Close();
}

} // namespace plat::UserWindowActions
