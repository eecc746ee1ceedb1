#pragma once
#include <string>
#include <string_view>

namespace plat {

// Replaces a file's contents so that a crash at any moment leaves either the old file or the
// new one, never a mix: the bytes go to a temporary file in the same folder, are flushed to
// the disk, and the temporary file is then renamed over the old one.
class AtomicFile {
public:
    // The marker between the file's name and the six random characters of its temporary file.
    static constexpr std::string_view kTempMarker = ".tmp.";

    // False (the old file untouched, no temporary file left) when any step fails. The
    // temporary file is locked (flock) until it is renamed or removed.
    [[nodiscard]] static bool Write(const std::string& path, std::string_view bytes);

    // Called after the new contents are on the disk and before the rename; tests use it to
    // stop the process at the worst moment. Null removes the hook.
    using Hook = void (*)(const std::string& tempPath);
    static void SetBeforeRenameHook(Hook hook);
};

} // namespace plat
