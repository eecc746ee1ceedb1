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
    // The items of a layout list's text source in the source tree (the prelude's by default),
    // split as the packer splits them.
    static std::vector<std::string> SourceItems(const std::string& file = "STDLAYOUT.list");
    // The folder of the layout lists' text sources.
    static std::string SourceFolder();
    // A 'TLYO' string-list handle holding the given texts.
    static LStrListRef MakeList(const std::vector<std::string>& items);
};
