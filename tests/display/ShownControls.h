#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the running program says is on screen, read from the controls report it writes for
// tests (platform/window/ControlsReport.h has the format).

// A control, a menu bar title or an open list's row.
struct Shown {
    std::string kind; // a control's kind
    bool enabled = false;
    bool focused = false;
    bool submenu = false;
    int state = 0; // a control's state; a row's check mark
    int index = 0;
    plat::Rect rect; // screen, bottom-left origin
    std::string title;
    plat::Point Middle() const { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }
};

struct ShownWindow {
    uint32_t number = 0;
    int level = 0;
    bool key = false;
    bool modal = false;
    plat::Rect rect;
    std::string title;
    std::vector<Shown> bar, controls, items;
};

// The report's windows, front to back; none when the file is missing.
std::vector<ShownWindow> ReadShownWindows(const std::string& path);

enum class ShownPart { BarTitle, Control, Row };
// The first bar title, control or open list row with the title, front window first.
std::optional<Shown> FindShown(const std::vector<ShownWindow>& windows, ShownPart part, const std::string& title);
