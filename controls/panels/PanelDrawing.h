#pragma once
#include "controls/CColor.h"
#include "foundation/geometry/CLRect.h"

#include <cstdint>
#include <string>

class LPortState;

// A grey of any level 0 (black) to 255 (white) for the panels' backgrounds: the shared greys
// by number know only four levels.
CColorRef PanelGrey(uint8_t level);
// One line of a panel's rows in the system font, in black, clipped to the rectangle
// (alignment 0 left, 2 right).
void DrawPanelText(LPortState& port, const std::string& text, const CLRect& rect, int32_t alignment = 0);
