#pragma once
#include <string>

namespace plat {

enum class StandardFolder {
    Desktop,              // $XDG_DESKTOP_DIR, else ~/Desktop
    Scratch,              // a private folder for scratch files inside the temporary folder
    System,               // the system's own files (not available here)
    Applications,         // installed applications (not available here)
    Home,                 // the user's home folder
    Documents,            // $XDG_DOCUMENTS_DIR, else ~/Documents
    ApplicationSupport,   // $XDG_DATA_HOME (else ~/.local/share)
    Trash,                // $XDG_DATA_HOME/Trash/files
    Preferences,          // $XDG_CONFIG_HOME (else ~/.config)
    Temporary,            // $TMPDIR, else /tmp
};

// The POSIX path of a standard folder, whether it exists or not: a folder in the user's home
// is made only by whoever first writes into it. Only the private scratch folder, in the
// temporary folder, is made here (and refused when it is not private). Empty when the folder
// has no place here. Environment values that are not absolute paths are ignored, as the XDG
// rules ask.
std::string StandardFolderPath(StandardFolder folder);

// The absolute path of the running program's file; empty when it cannot be read.
std::string ExecutablePath();

// Creates a folder and every missing folder above it (mode 0700 for new ones); true when the
// folder exists afterwards.
bool MakeFolders(const std::string& path);

} // namespace plat
