#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// The information file of a bundle folder ("Info.plist", an XML property list whose root is
// a dictionary): the text value under a key, none when the folder, the file, the key or a
// text value is missing or the file is malformed or too large.
std::optional<std::string> BundleValue(const std::string& bundleFolder, std::string_view key);

// The program's own bundle: the folder holding the program file. When that folder has no
// information file the program answers for itself: "CFBundleName" is the process name and
// "CFBundleVersion" the version it was built as.
std::optional<std::string> MainBundleValue(std::string_view key);

// The folder holding the program file (or the one tests put in its place).
std::string MainBundleFolder();

// Replaces the program's own bundle folder (tests); an empty text restores the real one.
void SetMainBundleFolder(std::string folder);

} // namespace plat
