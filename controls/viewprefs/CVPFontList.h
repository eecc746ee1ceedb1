#pragma once
#include "controls/lists/LCellGrid.h"
#include "foundation/core/LStringRef.h"

struct CFontRecord;
class CVPFontCell;

// The list of the view-preferences window: one row per font id (0 to 3), each showing the
// name of that kind of view and the family the user chose for it. The shared font panel
// follows the focused row while the list has the focus and sets that row's family and size.
class CVPFontList : public LCellGrid {
public:
    static const char* const kResName;   // "CVPFONTLIST", one name per font id
    static constexpr int32_t kFontIds = 4;

    explicit CVPFontList(LPane* parent);
    ~CVPFontList() override;

    // Stores the family and size for the row's font id, refreshes the row and focuses its slot.
    void SetRowFont(int32_t row, const LStringRef& family, float size);
    // Opens the font panel on the focused row's font (stored, else the one the view uses) and
    // links it to the list; only while the list and its window have the focus.
    void ShowFontPanel(bool fromFocus);
    // Whether the font panel is linked to this list.
    bool PanelLinked() const;
    // The row whose cell has the focus, or -1.
    int32_t FocusedRow() const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    // Every row shows: the list is as tall as its rows.
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;

private:
    static void FontPicked(void* argument, const CFontRecord& font, int32_t code);
    void DropPanelLink();
    // Gives the row's text slot the focus.
    void FocusRow(int32_t row);
    bool IsSlotOfCell(const LHandler* subject) const;
};
