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
constexpr double kEdgeStrip = 12.0;  // the scroll arrows' strips of a list longer than its window
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

double MenuListView::MaxScroll() const
{
    return fMenu ? std::max(0.0, NaturalSize(*fMenu).height - Bounds().height) : 0.0;
}

int MenuListView::ScrollEdgeAt(double y) const
{
    if (y >= 0 && y < kEdgeStrip && fScroll > 0)
        return -1;
    const double height = Bounds().height;
    if (y < height && y >= height - kEdgeStrip && fScroll < MaxScroll())
        return 1;
    return 0;
}

bool MenuListView::ScrollBy(double dy)
{
    const double scroll = std::clamp(fScroll + dy, 0.0, MaxScroll());
    if (scroll == fScroll)
        return false;
    fScroll = scroll;
    SetNeedsDisplay();
    return true;
}

void MenuListView::ScrollToShow(int row)
{
    if (!fMenu || row < 0 || size_t(row) >= fMenu->Count() || MaxScroll() <= 0)
        return;
    const double top = RowTop(row) - fScroll, bottom = top + RowHeight(row);
    const double height = Bounds().height;
    if (top < kEdgeStrip)
        ScrollBy(top - kEdgeStrip);
    else if (bottom > height - kEdgeStrip)
        ScrollBy(bottom - (height - kEdgeStrip));
}

int MenuListView::RowAt(double y) const
{
    if (!fMenu || y < 0 || y >= Bounds().height || ScrollEdgeAt(y) != 0)
        return -1;
    y += fScroll;
    if (y < 1)
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

bool MenuListView::IsSelectable(int row) const
{
    const std::shared_ptr<MenuItem> item = fMenu && row >= 0 ? fMenu->ItemAt(size_t(row)) : nullptr;
    return item && !item->IsSeparator() && item->IsEnabled();
}

bool MenuListView::IsChoosable(int row) const
{
    return IsSelectable(row) && !fMenu->ItemAt(size_t(row))->HasSubmenu();
}

bool MenuListView::OpensSubmenu(int row) const
{
    return IsSelectable(row) && fMenu->ItemAt(size_t(row))->HasSubmenu();
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
        const Rect row{1, RowTopInView(int(i)), bounds.width - 2, RowHeight(int(i))};
        if (row.y + row.height <= 0 || row.y >= bounds.height)
            continue;
        if (item->IsSeparator()) {
            canvas.SetFillColor(ControlLook::kEdgeDisabled);
            canvas.FillRect(Rect{row.x + 4, row.y + std::floor(row.height / 2), row.width - 8, 1});
            continue;
        }
        const bool lit = int(i) == fHighlighted && IsSelectable(int(i));
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
    DrawScrollArrows(canvas, *font);
}

void MenuListView::DrawScrollArrows(Canvas& canvas, const Font& font)
{
    const Rect bounds = Bounds();
    const struct {
        int edge;
        const char* arrow;
        double y;
    } strips[] = {{-1, "\u25B4", 1}, {1, "\u25BE", bounds.height - 1 - kEdgeStrip}};
    for (const auto& strip : strips) {
        if (ScrollEdgeAt(strip.y + kEdgeStrip / 2) != strip.edge)
            continue;
        canvas.SetFillColor(kListFace);
        canvas.FillRect(Rect{1, strip.y, bounds.width - 2, kEdgeStrip});
        canvas.SetFillColor(ControlLook::kMark);
        const double baseline = strip.y + std::floor((kEdgeStrip + font.Ascender() - font.Descender()) / 2);
        font.Draw(canvas, strip.arrow, Point{std::floor((bounds.width - font.Advance(strip.arrow)) / 2), baseline});
    }
}

} // namespace plat
