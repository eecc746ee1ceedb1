#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class LFormula;
class LFrame;

// Lays a dialog out from three formula texts over its children: the declarations, then
// `prepare` (to set layout variables), the size text (which leaves the dialog's rect in pane
// 0) and the placement text; the dialog's window is then placed at that rect in screen
// coordinates, pulled onto the visible screens. A dialog is at least as wide as its title
// needs.
void PlaceDialogByTexts(LFrame& dialog, std::string_view declarations, std::string_view size,
                        std::string_view placement, const std::function<void(LFormula&)>& prepare = {});

// How wide a window must be for a window manager to show its whole title beside the frame's
// icon and buttons.
int32_t TitleBarWidth(const std::string& title);
