#pragma once
#include <string>

namespace plat {

// Which window backend the program runs with.
enum class DesktopKind {
    Headless,  // SONALYX_HEADLESS=1: the in-memory window system only (tests)
    Desktop,   // real windows on the X display
    NoDisplay, // no usable X display: the program cannot show itself
};

struct DesktopStartResult {
    DesktopKind kind = DesktopKind::Headless;
    std::string reason; // why there is no display
};

// Picks and installs the window backend: the headless one when SONALYX_HEADLESS is "1",
// else the desktop one on the X display named by DISPLAY (windows display themselves before
// each wait for events). Nothing is installed when there is no display.
DesktopStartResult StartDesktop();
// Takes the desktop backend down again (the headless one stays).
void StopDesktop();

} // namespace plat
