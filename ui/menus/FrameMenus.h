#pragma once
#include <vector>

class LList;
class LMenu;

// A frame's own menus visit the current menu bar while the frame is active: they enter
// before the "WINDOW" menu (else before "HELP", else at the end) and leave again in the
// reverse order, back to the front of the frame's list. Nothing happens without a bar.
void InstallFrameMenus(LList& frameMenus, std::vector<LMenu*>& installed);
void RemoveFrameMenus(LList& frameMenus, std::vector<LMenu*>& installed);
