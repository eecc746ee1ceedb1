#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace plat {

class Menu;
class Window;
class MenuItem;

// The action of the Window menu's items: brings the window whose number is the item's tag forward.
inline constexpr std::string_view kOrderFrontWindowAction = "orderFrontWindow:";

// The program's windows as a desktop offers them: listed in the Window menu, all hidden to the
// window manager's icons and shown again. Main thread only.
namespace WindowMenu {

// The windows a person can bring forward, front to back: titled ones on screen or iconified.
std::vector<Window*> Listed();
// Replaces the menu's items from index `first` on with one item per listed window (the front
// one checked), each performing kOrderFrontWindowAction on the application.
void Fill(Menu& menu, size_t first);
// Brings the window the item names forward and makes it key, out of its icon when iconified.
void BringForward(const MenuItem& item);
// Iconifies every listed window.
void HideAll();
// Brings every iconified window back; the front one becomes key.
void ShowAll();

} // namespace WindowMenu

} // namespace plat
