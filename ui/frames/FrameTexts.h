#pragma once
#include <string>

namespace plat {
class Window;
}

// The controls report's "text" lines of a native window: every shown caption of its frame that
// holds a text, where it lies on the screen. Cells stamped by a list are not panes of the frame
// and are left out.
std::string ReportedFrameTexts(const plat::Window& window);
