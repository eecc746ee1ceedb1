#pragma once
#include "platform/controls/Control.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// A pop-up button model: a list of items (titles and separators) of which one is selected. A
// press opens the item menu laid out in rows of the control's height with the selected item over
// the button. A press dragged to an item and released there selects it and runs the action (also
// when it was selected already); released elsewhere it closes the menu without a choice. A click
// that stays put, however long it is held, leaves the menu open: then a click on an item, the
// arrow keys with Return, typing the start of a title, and the wheel choose, and Escape or a click
// outside closes it.
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

    // A press moved this far chooses at its release instead of leaving the menu open.
    static constexpr double kStayOpenSlop = 4.0;
    // Typed letters within this time of each other make one prefix to look for.
    static constexpr uint64_t kTypeSelectMs = 1000;

    bool IsMenuOpen() const { return fMenuOpen; }
    // Opens the menu without a press (from the keyboard), the selected item highlighted.
    void OpenMenu();
    // Closes the menu without a choice.
    void CloseMenu();
    // The item row under the pointer while the menu is open, -1 when none.
    int HighlightedRow() const { return fHighlighted; }
    // Top of the row of an item in control coordinates while the menu is open.
    double RowTop(int index) const;
    double RowHeight() const;
    // The item row at a point of the open menu's visible part; -1 for none or a separator.
    int RowAt(Point where) const;

    // Puts the rows' top-left corner at `rowsOrigin` and shows only `visible` of them (both in
    // control coordinates), as the screen leaves room; the rows scroll inside the visible part.
    void PlaceMenu(Point rowsOrigin, const Rect& visible);
    // Scrolls the rows up by dy (down for a negative dy) within the visible part.
    void ScrollMenu(double dy);
    bool MenuScrolls() const;

    // Acting on the open menu: highlights the row at a point; moves the highlight by whole
    // items, over separators, keeping it in view; highlights the first item whose title starts
    // with what was typed lately (ignoring case); chooses a row: selects it, closes the menu and
    // runs the action (false, and the menu stays open, for a separator or no row).
    void HighlightAt(Point where);
    void MoveHighlight(int step);
    void TypeSelect(const std::string& typed);
    bool Choose(int row);

    void Draw(Canvas& canvas) const override;
    // The open menu's rows in control coordinates, the part of them shown, and their drawing;
    // on a desktop they show in a pop-up menu window of their own.
    Rect MenuRect() const;
    Rect MenuVisibleRect() const { return fVisible; }
    void DrawMenu(Canvas& canvas) const;

private:
    struct Item {
        std::string title;
        bool separator = false;
    };

    void TrackDown(Point where) override;
    void TrackDrag(Point where) override;
    void TrackUp(Point where) override;
    void TrackCancel() override { CloseMenu(); }
    void ResetPlacement();
    void KeepInView(int row);

    std::vector<Item> fItems;
    int fSelected = -1;
    bool fMenuOpen = false;
    int fHighlighted = -1;
    Point fMenuOrigin;
    Rect fVisible;
    Point fPressAt;
    bool fMovedSincePress = false;
    std::string fTyped;
    uint64_t fTypedMs = 0;
};

} // namespace plat
