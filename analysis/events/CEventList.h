#pragma once
#include "controls/lists/CListDragDropHelper.h"
#include "controls/lists/LCellGrid.h"
#include "ui/LTimer.h"

#include <cstdint>
#include <memory>

class CEventCell;
class LObjRoot;
class LObject;
struct LObjChange;

// The rows of the event-text window, one per event text of the document: edits of time and
// text with undo, an emit button per row, reordering and copying by drag and drop ('EVTX'),
// and, while a recording runs with event texts switched on, each text emitted when the time
// since the recording began reaches it.
class CEventList : public LCellGrid, private CListDragOwner {
public:
    static constexpr uint32_t kFlavour = 0x45565458;  // 'EVTX'
    static constexpr uint32_t kPlaybackPeriodMs = 250;

    // `holder` is the document's record holder, `windowRecord` its 'WIND' record.
    CEventList(LPane* parent, LObjRoot* holder, LObject* windowRecord);
    ~CEventList() override;

    LObject* Events() const;
    // Deletes the selected rows as one undo step.
    void DeleteSelection();
    // Inserts an empty event after the selection (or at the end) with the time before it,
    // selects it and scrolls it into view.
    void AddEvent();
    void UpdatePlayback();
    const LTimer& PlaybackTimer() const { return fTimer; }
    CListDragDropHelper& DragHelper() { return fDrag; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    void DrawSelf(LPortState& port) const override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;
    void ConfigureCell(LPane& pane) override;

private:
    void KeepCellWidth();
    bool HandleCellMessage(const LMessage& msg);
    void SetTimeFromField(CEventCell& cell, uint32_t row);
    void HandleDragMessage(LMessage& result, const LMessage& msg);
    void WriteDragData() override;
    bool AcceptDropped() override;
    void EmitDue();
    static void OnRecordChange(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);

    LObjRoot* fHolder;
    LObject* fWindowRecord;
    LObjRoot* fWindowHolder = nullptr;
    bool fObservingDocument = false;
    bool fObservingWindow = false;
    CListDragDropHelper fDrag;
    LTimer fTimer;
    uint32_t fStartTick = 0;
    float fEmittedUpTo = -1.0f;
};
