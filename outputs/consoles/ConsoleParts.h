#pragma once
#include <cstdint>

class LCellGrid;
class LFrame;
class LListNavi;

// What the consoles share in their construction.

// Gives a frame the layout texts of the 'TLYO' list of that name.
void LoadConsoleLayout(LFrame& frame, const char* resName);
// A console grid of one row: the console background and `columns` columns.
void SetUpConsoleGrid(LCellGrid& grid, int32_t columns);
// A console window: the navigator shows the grid on the console background, the frame takes
// its layout and, with a window, its title from the lists named `resName`.
void SetUpConsoleFrame(LFrame& frame, LListNavi& navi, LCellGrid& grid, const char* resName);
