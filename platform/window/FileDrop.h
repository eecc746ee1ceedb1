#pragma once
#include "platform/Geometry.h"

#include <string>
#include <vector>

namespace plat {

// Files dragged from another program arrive only as a drop on one of our windows: a drag of
// their file URLs that ends at a screen point, through the same drop path as the program's
// own drags. The window under the point that takes the files performs the drop (its pane
// under the point gets it); otherwise the application opens them as it opens files named on
// the command line. The desktop backend and the test driver both come here. Main thread only.
namespace FileDrop {

// Drops the files (absolute paths) at the screen point.
void DropAt(const Point& screen, const std::vector<std::string>& paths);

} // namespace FileDrop

} // namespace plat
