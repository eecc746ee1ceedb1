#pragma once
#include <string>

namespace plat {

// The program's help: the README beside the program file, opened with the desktop's opener.
namespace HelpFile {

enum class Result { Opened, Missing, NoOpener };

// Where the help file lies: README.md in the program's folder.
std::string Path();
// Opens the help file; says why not when it is missing or no opener could be started.
[[nodiscard]] Result Open();

} // namespace HelpFile

} // namespace plat
