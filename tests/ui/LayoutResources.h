#pragma once
#include <string>
#include <vector>

// The program's resource file, opened once for the layout tests so that the layout prelude
// comes from the packed 'TLYO' "STDLAYOUT" list as it does in the program.
class LayoutResources {
public:
    // Whether the packed resource file beside the test program was opened.
    static bool Opened();
    // The items of the prelude's text source in the source tree, split as the packer splits them.
    static std::vector<std::string> SourceItems();
};
