#include "tests/display/ShownControls.h"

#include <fstream>
#include <sstream>

namespace {

plat::Rect ReadRect(std::istringstream& in)
{
    plat::Rect r;
    in >> r.x >> r.y >> r.width >> r.height;
    return r;
}

// The title is the rest of the line after its tab; it may be empty.
std::string Rest(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    return rest.empty() ? rest : rest.substr(1);
}

} // namespace

std::vector<ShownWindow> ReadShownWindows(const std::string& path)
{
    std::vector<ShownWindow> windows;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream in(line);
        std::string what;
        std::getline(in, what, '\t');
        if (what == "window") {
            ShownWindow w;
            in >> w.number >> w.level >> w.key >> w.modal >> w.keyless;
            w.rect = ReadRect(in);
            w.title = Rest(in);
            windows.push_back(w);
            continue;
        }
        if (windows.empty())
            continue;
        Shown s;
        if (what == "bar") {
            s.rect = ReadRect(in);
            s.title = Rest(in);
            windows.back().bar.push_back(s);
        } else if (what == "control") {
            in >> s.kind >> s.enabled >> s.focused >> s.state;
            s.rect = ReadRect(in);
            s.title = Rest(in);
            s.index = int(windows.back().controls.size());
            windows.back().controls.push_back(s);
        } else if (what == "item") {
            in >> s.index >> s.enabled >> s.submenu >> s.state;
            s.rect = ReadRect(in);
            s.title = Rest(in);
            windows.back().items.push_back(s);
        } else if (what == "field") {
            s.kind = what;
            in >> s.enabled >> s.focused;
            s.rect = ReadRect(in);
            s.title = Rest(in);
            s.index = int(windows.back().fields.size());
            windows.back().fields.push_back(s);
        } else if (what == "text") {
            s.rect = ReadRect(in);
            s.title = Rest(in);
            windows.back().texts.push_back(s);
        }
    }
    return windows;
}

std::optional<Shown> FindShown(const std::vector<ShownWindow>& windows, ShownPart part, const std::string& title)
{
    for (const ShownWindow& w : windows) {
        const std::vector<Shown>& shown = part == ShownPart::BarTitle ? w.bar
                                          : part == ShownPart::Control ? w.controls
                                          : part == ShownPart::Row     ? w.items
                                          : part == ShownPart::Field   ? w.fields
                                                                       : w.texts;
        for (const Shown& s : shown)
            if (s.title == title)
                return s;
    }
    return std::nullopt;
}

std::optional<Shown> LastControl(const ShownWindow& window, const std::string& kind)
{
    for (auto control = window.controls.rbegin(); control != window.controls.rend(); ++control)
        if (control->kind == kind)
            return *control;
    return std::nullopt;
}
