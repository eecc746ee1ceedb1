#pragma once
#include "controls/lists/LCellGrid.h"

#include <memory>

class CCtlDefList;
struct CDefNode;
class CRowHeader;
class LObject;
class LObjRoot;
struct LObjChange;

// The columns of the MIDI console: one cell per MIDI channel (16 in one row), each showing the
// controls of the current definition list with the values of its channel's parameter set in
// the document's MIDI console table. Edits are written to the table with undo; the cells follow
// the table through the document's change notices.
class CMIDIConsoleList : public LCellGrid {
public:
    static constexpr int32_t kChannels = 16;

    // `holder` and `table` (the 'PRMT' record) belong to the document.
    CMIDIConsoleList(LPane* parent, LObjRoot* holder, LObject* table);
    ~CMIDIConsoleList() override;

    // The header that shows the row titles (not owned; null: none).
    void SetRowHeader(CRowHeader* header);
    // Loads a new definition list from a "controls" node (null: no controls) in column layout
    // and shows it in every cell.
    void SetDefinitions(const CDefNode* controls);
    const CCtlDefList* Definitions() const { return fDefinitions.get(); }
    LObject* Table() const { return fTable; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;
    void ConfigureCell(LPane& pane) override;

private:
    static void OnRecordChange(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);
    // The column of the table cell a parameter record lies in; -1 when not in this table.
    int32_t ColumnOf(const LObject* record) const;
    // The cell whose panel holds the message's subject below the panel itself.
    bool CellOfControl(const LMessage& msg, CLPoint& cell) const;
    void GrowTable();
    void FitCellHeight();
    void FillRowHeader();

    LObjRoot* fHolder;
    LObject* fTable;
    std::unique_ptr<CCtlDefList> fDefinitions;
    CRowHeader* fRowHeader = nullptr;
    bool fObserving = false;
    bool fGrowing = false;
};
