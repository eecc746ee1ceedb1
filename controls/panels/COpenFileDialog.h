#pragma once
#include "controls/panels/CFileDialog.h"

// The dialog over the standard open panel. The panel lists folders and the files of the chosen
// type; a package (a folder whose name has an extension) counts as a file unless packages are
// browsed like folders.
class COpenFileDialog : public CFileDialog {
public:
    enum : uint32_t { kPackagesAsFolders = 1 };

    // Starts at the nearest existing item on the way from the path to the root; the chosen type
    // follows the path's extension.
    void SetStartPath(const LStringRef& path);
    // Runs the panel modally; answers whether the user chose a file.
    bool Run(uint32_t options);

    // Whether an open panel with these settings lists the item at the POSIX path.
    static bool ShouldShow(const plat::FilePanel& panel, const std::string& path);
};
