#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace plat {

// Opens web addresses with the desktop's opener (xdg-open, found through PATH). The address
// is handed over as one argument of a spawned process, never through a shell, so no
// character in it can run a command.
class UrlLauncher {
public:
    // Whether the opener can be started: a recorder is installed or xdg-open is on PATH.
    static bool Available();
    // Starts the opener for the address without waiting for it; false when it could not be
    // started, or the address is empty, begins with '-' or holds a NUL byte.
    [[nodiscard]] static bool Open(std::string_view url);

    // Tests install a recorder that receives each address instead of the opener; an empty
    // function restores the opener.
    static void SetRecorder(std::function<void(const std::string&)> recorder);
};

} // namespace plat
