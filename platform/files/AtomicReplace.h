#pragma once
#include "platform/files/FileSystem.h"

#include <string>

// Replacing a file so that a reader, a crash or a full disk never leaves half of it: the new
// content goes into a temporary file in the same folder, which is synced and then renamed
// over the old one.
namespace plat {

// The item a path finally names: symbolic links at the end of the path are followed (a
// relative target against the link's folder), at most 40 of them.
std::string FinalLinkTarget(const std::string& path);

// Makes a new empty file beside `target` named after it ("<name>.tmp-XXXXXX"), with the old
// file's permission bits when it exists.
FileResult CreateTempBeside(const std::string& target, std::string& tempPath);

// Syncs the temporary file, renames it over `target` and syncs the folder. On failure the
// temporary file is removed and `target` is untouched.
FileResult CommitReplacement(const std::string& tempPath, const std::string& target);

} // namespace plat
