#pragma once
#include "platform/controls/Control.h"

#include <string>
#include <vector>

namespace plat {

// A pop-up button model: a list of items (titles and separators) of which one is selected. A
// press opens the item menu laid out in rows of the control's height with the selected item over
// the button; releasing over an item that is not a separator selects it and runs the action (also
// when it was selected already). Releasing elsewhere closes the menu without a choice.
class PopUpButton : public Control {
public:
    PopUpButton();

    int ItemCount() const { return static_cast<int>(fItems.size()); }
    // The title of an item; empty for a separator or an index out of range.
    std::string ItemTitle(int index) const;
    bool IsSeparator(int index) const;

    // Inserts before `index` (limited to 0..count); keeps the selected item selected.
    void InsertItem(const std::string& title, int index);
    void InsertSeparator(int index);
    void RemoveItem(int index);
    void RemoveAllItems();

    // Index of the selected item, -1 when none.
    int SelectedIndex() const { return fSelected; }
    // Selects an item; an index out of range (or a separator) clears the selection.
    void SelectItem(int index);

    // The title of the selected item.
    std::string Title() const override { return ItemTitle(fSelected); }
    // The widest title with room for the arrow.
    plat::Rect NaturalSize() const override;

    bool IsMenuOpen() const { return fMenuOpen; }
    // The item row under the pointer while the menu is open, -1 when none.
    int HighlightedRow() const { return fHighlighted; }
    // Top of the row of an item in control coordinates while the menu is open.
    double RowTop(int index) const;
    double RowHeight() const;

    void Draw(Canvas& canvas) const override;
    // The open menu's rows in control coordinates, and their drawing; on a desktop they show
    // in a pop-up menu window of their own.
    Rect MenuRect() const;
    void DrawMenu(Canvas& canvas) const;

private:
    struct Item {
        std::string title;
        bool separator = false;
    };

    void TrackDown(Point where) override;
    void TrackDrag(Point where) override;
    void TrackUp(Point where) override;
    int RowAt(Point where) const;

    std::vector<Item> fItems;
    int fSelected = -1;
    bool fMenuOpen = false;
    int fHighlighted = -1;
};

} // namespace plat
