#pragma once

namespace plat {

class Window;

// Keeps the main menu reachable: while no window on screen shows the menu bar, a small
// window titled "Sonalyx" carries it (so New, Open and Quit stay in reach); it leaves the
// screen as soon as a document window shows. Closing it asks the application to quit.
// Off until the program turns it on. Main thread only.
namespace MenuBarHost {

void SetEnabled(bool enabled);
// Shows or hides the small window as the windows on screen ask; called before each wait.
void Update();
// The small window; null while it was never needed.
Window* HostWindow();

} // namespace MenuBarHost

} // namespace plat
