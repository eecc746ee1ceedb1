#pragma once
#include "platform/Geometry.h"

#include <string>
#include <vector>

namespace plat {

class Canvas;
class Font;
class Menu;
class MenuItem;
struct PixelRect;

// The main menu drawn as a bar across the top of a document window: the titles of the
// menus of the bar, left to right, and the shortcut texts the open menus show.
namespace MenuBar {

// One menu of the bar: the main menu's item that holds it, its title and where it sits
// (pixels from the bar's left edge).
struct Title {
    size_t itemIndex = 0;
    std::string text;
    double x = 0.0;
    double width = 0.0;
};

// The font of the bar and of the open menus.
const Font* MenuFont();
// The bar's menus as laid out for the current main menu; empty without one.
std::vector<Title> Titles();
// The bar menu under x (pixels from the bar's left edge); -1 over no title.
int TitleAt(double x);
// Paints the bar into the strip of the canvas (pixel coordinates, top-left origin) with one
// title shown open (-1: none).
void Draw(Canvas& canvas, const PixelRect& strip, int openTitle);
// A key equivalent as Linux users read it: "Ctrl+S", "Ctrl+Shift+Z", "Alt+Space". The
// command key (kCommandKeyMask) reads Ctrl, the option key Alt, the control key Super; a
// one-character key shows upper-case. Empty without a key.
std::string ShortcutText(const std::string& key, uint32_t modifierMask);
// The same for a menu item, whose upper-case equivalent asks for Shift.
std::string ShortcutText(const MenuItem& item);

} // namespace MenuBar

} // namespace plat
