#include "outputs/consoles/ConsoleParts.h"

#include "controls/CColor.h"
#include "controls/lists/LCellGrid.h"
#include "controls/lists/LListNavi.h"
#include "foundation/text/LStrList.h"

namespace {

constexpr int32_t kBackgroundColourId = 1;
constexpr uint32_t kTitleItem = 0;

CColorRef ConsoleBackground()
{
    CColorRef background;
    CColor::AssignById(background, kBackgroundColourId);
    return background;
}

} // namespace

void LoadConsoleLayout(LFrame& frame, const char* resName)
{
    LStrListRef layout;
    LStrListRef::Create(layout, {0, resName}, nullptr, kStrListLayouts);
    frame.SetLayout(layout, LFrame::kFormulaLayout);
}

void SetUpConsoleGrid(LCellGrid& grid, int32_t columns)
{
    grid.SetBackground(ConsoleBackground());
    grid.InsertColumns(0, columns);
    grid.InsertRows(0, 1);
}

void SetUpConsoleFrame(LFrame& frame, LListNavi& navi, LCellGrid& grid, const char* resName)
{
    navi.SetBackground(ConsoleBackground());
    navi.SetList(&grid);
    LoadConsoleLayout(frame, resName);
    if (frame.Window()) {
        LStrList texts({0, resName}, nullptr, kStrListDialogTexts);
        frame.SetTitle(texts.GetItem(kTitleItem));
    }
}
