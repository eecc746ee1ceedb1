#include "platform/menus/MenuListView.h"
#include "platform/controls/ControlLook.h"
#include "platform/draw/Font.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/window/CurrentDrawing.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

constexpr double kItemHeight = 20.0;
constexpr double kSeparatorHeight = 9.0;
constexpr double kTextLeft = 22.0;   // room for a check mark
constexpr double kRightMargin = 12.0;
constexpr double kShortcutGap = 28.0;
constexpr double kMinWidth = 160.0;
constexpr Color kListFace{0.98, 0.98, 0.98, 1.0};
constexpr Color kDisabled{0.60, 0.60, 0.60, 1.0};

} // namespace

Ref<MenuListView> MenuListView::Make(std::shared_ptr<Menu> menu)
{
    const Rect size = menu ? NaturalSize(*menu) : Rect{};
    Ref<MenuListView> view = Ref<MenuListView>::Adopt(new MenuListView(std::move(menu)));
    view->SetFrame(size);
    return view;
}

MenuListView::MenuListView(std::shared_ptr<Menu> menu) : View(Rect{}), fMenu(std::move(menu)) {}

Rect MenuListView::NaturalSize(const Menu& menu)
{
    const Font* font = MenuBar::MenuFont();
    double width = kMinWidth, height = 2;
    for (size_t i = 0; i < menu.Count(); ++i) {
        const std::shared_ptr<MenuItem> item = menu.ItemAt(i);
        height += item->IsSeparator() ? kSeparatorHeight : kItemHeight;
        if (!font || item->IsSeparator())
            continue;
        const std::string shortcut = MenuBar::ShortcutText(*item);
        double row = kTextLeft + font->Advance(item->Title()) + kRightMargin;
        if (!shortcut.empty())
            row += kShortcutGap + font->Advance(shortcut);
        width = std::max(width, std::ceil(row));
    }
    return Rect{0, 0, width, height};
}

double MenuListView::RowHeight(int row) const
{
    const std::shared_ptr<MenuItem> item = fMenu ? fMenu->ItemAt(size_t(row)) : nullptr;
    return item && item->IsSeparator() ? kSeparatorHeight : kItemHeight;
}

double MenuListView::RowTop(int row) const
{
    double top = 1;
    for (int i = 0; i < row; ++i)
        top += RowHeight(i);
    return top;
}

int MenuListView::RowAt(double y) const
{
    if (!fMenu || y < 1)
        return -1;
    double top = 1;
    for (size_t i = 0; i < fMenu->Count(); ++i) {
        const double bottom = top + RowHeight(int(i));
        if (y < bottom)
            return int(i);
        top = bottom;
    }
    return -1;
}

bool MenuListView::IsChoosable(int row) const
{
    const std::shared_ptr<MenuItem> item = fMenu && row >= 0 ? fMenu->ItemAt(size_t(row)) : nullptr;
    return item && !item->IsSeparator() && item->IsEnabled() && !item->HasSubmenu();
}

void MenuListView::SetHighlighted(int row)
{
    if (row == fHighlighted)
        return;
    fHighlighted = row;
    SetNeedsDisplay();
}

void MenuListView::DrawRect(const Rect&)
{
    const CurrentDrawing* drawing = CurrentDrawing::Get();
    const Font* font = MenuBar::MenuFont();
    if (!drawing || !fMenu || !font)
        return;
    Canvas& canvas = *drawing->canvas;
    const Rect bounds = Bounds();
    canvas.SetFillColor(kListFace);
    canvas.FillRect(bounds);
    canvas.SetStrokeColor(ControlLook::kEdge);
    canvas.SetLineWidth(1);
    canvas.StrokeRect(Rect{0.5, 0.5, bounds.width - 1, bounds.height - 1});
    for (size_t i = 0; i < fMenu->Count(); ++i) {
        const std::shared_ptr<MenuItem> item = fMenu->ItemAt(i);
        const Rect row{1, RowTop(int(i)), bounds.width - 2, RowHeight(int(i))};
        if (item->IsSeparator()) {
            canvas.SetFillColor(ControlLook::kEdgeDisabled);
            canvas.FillRect(Rect{row.x + 4, row.y + std::floor(row.height / 2), row.width - 8, 1});
            continue;
        }
        const bool lit = int(i) == fHighlighted && IsChoosable(int(i));
        if (lit) {
            canvas.SetFillColor(ControlLook::kAccent);
            canvas.FillRect(row);
        }
        canvas.SetFillColor(lit ? ControlLook::kWhite : item->IsEnabled() ? ControlLook::kMark : kDisabled);
        const double baseline = row.y + std::floor((row.height + font->Ascender() - font->Descender()) / 2);
        if (item->State() == 1)
            font->Draw(canvas, "\u2713", Point{row.x + 5, baseline});
        font->Draw(canvas, item->Title(), Point{row.x + kTextLeft - 1, baseline});
        const std::string shortcut = item->HasSubmenu() ? std::string("\u25B8") : MenuBar::ShortcutText(*item);
        if (!shortcut.empty())
            font->Draw(canvas, shortcut, Point{row.x + row.width - kRightMargin - font->Advance(shortcut), baseline});
    }
}

} // namespace plat
