#pragma once
#include "platform/files/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>

// Replacing a file so that a reader, a crash or a full disk never leaves half of it: the new
// content goes into a temporary file in the same folder, which is synced and then renamed
// over the old one.
namespace plat {

// The item a path finally names: symbolic links at the end of the path are followed (a
// relative target against the link's folder), at most 40 of them.
std::string FinalLinkTarget(const std::string& path);

// The marker between a target's name and the six random characters of its temporary file.
inline constexpr std::string_view kTempMarker = ".tmp-";

// Makes a new empty file beside `target` named after it ("<name>.tmp-" and six letters or
// digits), with the old file's permission bits when it exists, else with 0666 less the umask
// as any new file, and locks it (flock) while `lockFd` stays open: the
// writer keeps the lock until it committed or removed the file, then calls ReleaseTempLock.
FileResult CreateTempBeside(const std::string& target, std::string& tempPath, int& lockFd);
void ReleaseTempLock(int& lockFd);

// Removes what interrupted saves of `target` left: plain files in its folder named exactly
// "<name>" + marker + six letters or digits whose lock is free (no writer holds it). Any other
// file stays. How many went.
size_t RemoveLeftoverTemps(const std::string& target, std::string_view marker);

// Syncs the temporary file, renames it over `target` and syncs the folder. On failure the
// temporary file is removed and `target` is untouched.
FileResult CommitReplacement(const std::string& tempPath, const std::string& target);

} // namespace plat
