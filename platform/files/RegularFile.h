#pragma once
#include <string>

namespace plat {

// True when the path (links followed) names a plain file: not a folder, device, pipe or socket.
bool IsRegularFile(const std::string& path);

} // namespace plat
