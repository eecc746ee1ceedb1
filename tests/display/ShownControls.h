#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the running program says is on screen, read from the controls report it writes for
// tests (platform/window/ControlsReport.h has the format).

// A control, a menu bar title, an open list's row, a text field (its text as title) or a
// static text.
struct Shown {
    std::string kind; // a control's kind; "field" for a text field
    bool enabled = false; // a field: editable
    bool focused = false; // a field: being edited
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
    bool keyless = false; // a panel that shows without the keys
    plat::Rect rect;
    std::string title;
    std::vector<Shown> bar, controls, items, fields, texts;
};

// The report's windows, front to back; none when the file is missing.
std::vector<ShownWindow> ReadShownWindows(const std::string& path);

enum class ShownPart { BarTitle, Control, Row, Field, Text };
// The window's last control of the kind; empty when it has none.
std::optional<Shown> LastControl(const ShownWindow& window, const std::string& kind);

// The first bar title, control, open list row, field or static text with the title (a field's
// or a static text's text, line ends as blanks), front window first.
std::optional<Shown> FindShown(const std::vector<ShownWindow>& windows, ShownPart part, const std::string& title);
