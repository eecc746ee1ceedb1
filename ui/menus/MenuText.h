#pragma once
#include "foundation/core/LStringRef.h"

#include <string_view>
#include <vector>

// One item of a 'TMNU' string list read as lines, each ended by CR, LF or CR LF. The first
// line of an entry is its command, optionally followed by a blank and a numeric parameter
// ("CAppCmd_Zm 200").
class MenuText {
public:
    explicit MenuText(const LStringRef& text);

    // Line i, the empty text past the last line.
    LStringRef Line(size_t i) const;
    LStringRef CommandName() const;
    LStringRef CommandParam() const;

private:
    LStringRef fText; // keeps the lines' bytes alive
    std::vector<std::string_view> fLines;
};
