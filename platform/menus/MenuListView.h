#pragma once
#include "platform/window/View.h"

#include <memory>

namespace plat {

class Canvas;
class Font;
class Menu;

// The items of an open menu, one row each, drawn as the pop-up menu window's content: the
// title on the left, the shortcut (or a submenu's arrow) on the right, separators as thin
// lines, disabled items grey, checked items with a mark, the highlighted row in the accent
// colour. When the window is shorter than the rows the list scrolls: arrows at its top and
// bottom edge show that more rows lie that way. Flipped.
class MenuListView final : public View {
public:
    static Ref<MenuListView> Make(std::shared_ptr<Menu> menu);
    // The size all the rows need.
    static Rect NaturalSize(const Menu& menu);

    bool IsFlipped() const override { return true; }
    void DrawRect(const Rect& dirty) override;

    // The row under y (view coordinates, the scroll taken into account); -1 outside every row.
    int RowAt(double y) const;
    // The top of a row in view coordinates, the scroll taken into account.
    double RowTopInView(int row) const { return RowTop(row) - fScroll; }
    // Whether the row can be highlighted: an enabled item that is not a separator.
    bool IsSelectable(int row) const;
    // Whether the row can be chosen: a selectable item that opens no submenu.
    bool IsChoosable(int row) const;
    // Whether the row is a selectable item that opens a submenu.
    bool OpensSubmenu(int row) const;
    int Highlighted() const { return fHighlighted; }
    void SetHighlighted(int row);
    const std::shared_ptr<Menu>& ItemMenu() const { return fMenu; }

    // How far the rows are scrolled up (0 at the top).
    double Scroll() const { return fScroll; }
    // Scrolls by dy (positive: towards the last rows), kept within the rows; true when it moved.
    bool ScrollBy(double dy);
    // Scrolls just enough that the whole row shows.
    void ScrollToShow(int row);
    // Whether y (view coordinates) lies in the strip at the top (-1) or bottom (1) edge that
    // scrolls the rows when more of them lie that way; 0 elsewhere.
    int ScrollEdgeAt(double y) const;

private:
    explicit MenuListView(std::shared_ptr<Menu> menu);
    double RowTop(int row) const;
    double RowHeight(int row) const;
    double MaxScroll() const;
    void DrawScrollArrows(Canvas& canvas, const Font& font);

    std::shared_ptr<Menu> fMenu;
    int fHighlighted = -1;
    double fScroll = 0.0;
};

} // namespace plat
