#include "ui/menus/MenuText.h"

namespace {

// An entry has four lines; a header two. More are read but never used.
constexpr size_t kMaxLines = 8;

size_t CommandEnd(std::string_view line)
{
    const size_t blank = line.find_first_of(" \t");
    return blank == std::string_view::npos ? line.size() : blank;
}

} // namespace

MenuText::MenuText(const LStringRef& text) : fText(text)
{
    std::string_view rest = fText.View();
    while (!rest.empty() && fLines.size() < kMaxLines) {
        const size_t end = rest.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            fLines.push_back(rest);
            break;
        }
        fLines.push_back(rest.substr(0, end));
        const size_t skip = rest.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        rest.remove_prefix(end + skip);
    }
}

LStringRef MenuText::Line(size_t i) const
{
    return i < fLines.size() ? LStringRef(fLines[i]) : LStringRef();
}

LStringRef MenuText::CommandName() const
{
    const std::string_view line = fLines.empty() ? std::string_view() : fLines[0];
    return LStringRef(line.substr(0, CommandEnd(line)));
}

LStringRef MenuText::CommandParam() const
{
    std::string_view line = fLines.empty() ? std::string_view() : fLines[0];
    line.remove_prefix(CommandEnd(line));
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return LStringRef();
    line.remove_prefix(start);
    const size_t end = line.find_last_not_of(" \t");
    return LStringRef(line.substr(0, end + 1));
}
