#pragma once
#include "platform/window/View.h"

#include <memory>

namespace plat {

class Menu;

// The items of an open menu, one row each, drawn as the pop-up menu window's content: the
// title on the left, the shortcut on the right, separators as thin lines, disabled items
// grey, checked items with a mark, the highlighted row in the accent colour. Flipped.
class MenuListView final : public View {
public:
    static Ref<MenuListView> Make(std::shared_ptr<Menu> menu);
    // The size the rows need.
    static Rect NaturalSize(const Menu& menu);

    bool IsFlipped() const override { return true; }
    void DrawRect(const Rect& dirty) override;

    // The row under y (view coordinates); -1 outside every row.
    int RowAt(double y) const;
    // Whether the row can be chosen: an enabled item that is not a separator and opens no submenu.
    bool IsChoosable(int row) const;
    int Highlighted() const { return fHighlighted; }
    void SetHighlighted(int row);
    const std::shared_ptr<Menu>& ItemMenu() const { return fMenu; }

private:
    explicit MenuListView(std::shared_ptr<Menu> menu);
    double RowTop(int row) const;
    double RowHeight(int row) const;

    std::shared_ptr<Menu> fMenu;
    int fHighlighted = -1;
};

} // namespace plat
