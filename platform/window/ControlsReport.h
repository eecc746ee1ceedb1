#pragma once
#include <string>

namespace plat {

class Window;
struct Rect;

// For tests that drive the running program from outside: when SONALYX_TEST_CONTROLS_FILE names
// a file, the program rewrites it whenever what it would say changes. One line per item,
// fields separated by tabs, rectangles as screen x y width height (bottom-left origin of the
// main screen), windows front to back:
//   window  NUMBER  LEVEL  KEY(0/1)  MODAL(0/1)  KEYLESS(0/1)  X Y W H (content)  TITLE
//           (KEYLESS: a panel that shows without the keys and takes them only when needed)
//   bar     X Y W H  TITLE                               (the window's menu bar titles)
//   control KIND  ENABLED(0/1)  FOCUSED(0/1)  STATE  X Y W H  TITLE
//   item    INDEX  ENABLED(0/1)  SUBMENU(0/1)  MARK  X Y W H  TITLE   (an open menu's or pop-up's
//           rows, under the window that shows them; MARK is a menu item's check state, or 1 on
//           a pop-up's selected row)
//   field   EDITABLE(0/1)  EDITING(0/1)  X Y W H  TEXT   (a text field; a secure one's text is left out)
//   text    X Y W H  TEXT   (a static text the window's owner reports, line ends as blanks)
// KIND is push, onoff, check, radio, popup, slider, scroller or other; STATE is a button's
// state, a slider's value as a whole number, or a pop-up's selected index, with 100 added while
// its list is open.
class ControlsReport {
public:
    // The name of the setting.
    static constexpr const char* kVariable = "SONALYX_TEST_CONTROLS_FILE";
    // Writes the report when the setting is given and the text changed since the last write.
    static void Update();
    // What the report says now, whether the setting is given or not.
    static std::string Text();
    // The "text" lines of a window, written after its controls by the layer that draws them.
    using WindowTexts = std::string (*)(const Window& window);
    static void SetWindowTexts(WindowTexts texts);
    // One "text" line: a rectangle on the screen and what it shows.
    static std::string TextLine(const Rect& screen, std::string text);
};

} // namespace plat
