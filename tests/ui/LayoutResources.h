#pragma once
#include <string>
#include <vector>

class LStrListRef;

// The layout prelude as the program gets it: the 'TLYO' "STDLAYOUT" list is taken from the
// packed resource file beside the test program and served as the application's resources for
// the whole test run; the process-wide prelude store is filled from it before any test.
class LayoutResources {
public:
    // Whether the packed resource file held the prelude.
    static bool Opened();
    // The items of the prelude's text source in the source tree, split as the packer splits them.
    static std::vector<std::string> SourceItems();
    // A 'TLYO' string-list handle holding the given texts.
    static LStrListRef MakeList(const std::vector<std::string>& items);
};
