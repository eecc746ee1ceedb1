#pragma once
#include "controls/panels/TypedPrefix.h"
#include "ui/panes/LPane.h"

class LMouse;

// What the panels' lists share: rows of one height under an optional header, the first row
// shown, scrolling a row into view and by the wheel, and the letters typed to select a row.
class CRowListPane : public LPane {
public:
    static constexpr int32_t kRowHeight = 18;

    // The first row shown.
    int32_t TopRow() const { return fTop; }
    CLRect RowRect(int32_t row) const;

    // Clicks, the wheel and keys go to the subclass's handlers; the wheel scrolls.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

protected:
    CRowListPane(LHandler* parent, LPane* host, int32_t headerHeight);

    // The row under a point in host coordinates, -1 on the header or below the `count` rows.
    int32_t RowAt(const CLPoint& point, int32_t count) const;
    int32_t VisibleRows() const;
    // Scrolls so that the row (none: -1) is shown.
    void ScrollToRow(int32_t row);
    void ScrollToTop() { fTop = 0; }
    // Scrolls by the wheel's movement over `count` rows.
    void ScrollByWheel(int32_t count);
    void Changed();

    virtual int32_t RowCount() const = 0;
    // A press in the list; true when handled.
    virtual bool HandleClick(LMouse& mouse) = 0;
    // A key pressed while the list has the focus; true when handled.
    virtual bool HandleKey() = 0;

    TypedPrefix fTyped;

private:
    bool Takes(const LMessage& msg);

    int32_t fHeader;
    int32_t fTop = 0;
};
