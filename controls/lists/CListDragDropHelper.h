#pragma once
#include "foundation/core/LRef.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/LRegion.h"
#include "ui/LTimer.h"
#include "ui/drop/CDragScroller.h"

#include <cstdint>
#include <memory>
#include <vector>

class CDragger;
class CDragItemList;
class LListPane;
class LObject;
class LPortState;

// What a list that drags records of one flavour does at the drag helper's answers.
class CListDragOwner {
public:
    // Puts the selected rows on the drag that starts (CListDragDropHelper::SetDragData).
    virtual void WriteDragData() = 0;
    // Performs a drop at the helper's drop position; false leaves it to the list's base.
    virtual bool AcceptDropped() = 0;
    // A message that belongs to no drag; true when taken (result set).
    virtual bool HandleUsual(LMessage& result, const LMessage& msg);

protected:
    ~CListDragOwner() = default;
};

// Lets a list drag its selected cells and take drops between its rows (or columns), or onto a
// cell, with an insertion indicator and auto-scroll. It moves no data: the list's owner passes
// every mouse, timer, dragger and drop message to HandleListMessage and acts on the code.
// The helper owns the dragger of a drag from its list. When the drag ends it deletes the
// dragger and consumes the message (code kNothing), except after a click on a selected cell
// (code kPressEnded): the message then goes on and the dragger deletes itself when it returns.
class CListDragDropHelper : public CDragScroller {
public:
    static const char* msgSense;  // "CListDragDropHelper_Sense" {list, list}: check the target

    // The answers to the owner.
    enum Code : uint32_t {
        kNothing = 0,      // consumed, not for the helper, or a drop refused
        kAsUsual = 1,      // handle the message as usual (click, selection, move)
        kDragStarted = 2,  // a drag of the selection started: attach the drag data (SetDragData)
        kPressEnded = 3,   // the press ended without a drag
        kDragMoved = 4,    // the drag from this list moved: pass the message on to the dragger
        kDragEntered = 5,  // a drag entered the list: decide and call AcceptDrop
        kDropped = 6,      // a drop at DropPosition: perform it as ResultKind says
    };
    enum Orientation : uint32_t { kByColumns = 0, kByRows = 1 };
    enum Option : uint32_t { kDropOnCell = 0x1 };  // with Shift held, drops land on a cell
    enum ResultKind : uint32_t { kResultMove = 2, kResultCopy = 3, kResultOntoCell = 4 };
    enum IndicatorKind : uint32_t {
        kIndicatorHorizontal = 0, kIndicatorVertical = 1, kIndicatorCell = 2, kIndicatorRow = 3,
        kIndicatorColumn = 4,
    };
    // A press outside the selection becomes a drag when held this long without moving.
    static constexpr uint32_t kHoldMs = 333;

    CListDragDropHelper(LListPane* list, uint32_t orientation, uint32_t options);
    ~CListDragDropHelper() override;

    uint32_t HandleListMessage(const LMessage& msg);
    // Runs HandleListMessage and the owner's part for drags of `flavour`: true when the
    // message is dealt with, false when the list's base handler takes it.
    bool HandleOwnerMessage(LMessage& result, const LMessage& msg, uint32_t flavour, CListDragOwner& owner);
    // The owner takes the drag that entered: the indicator shows from the next drag step.
    void AcceptDrop(uint32_t kind);
    void SetDropCursor(uint32_t kind);
    // Gives the items to the running dragger; without one they are let go. `copy` marks a drag
    // of several cells: a drop just at or below its start row is then not ignored.
    void SetDragData(CDragItemList* items, bool copy);
    // Puts the records on the drag as one item of `flavour` (the drag pasteboard keeps one item
    // of a type): their chunk form in a container of the codes (creator, cls), in order.
    void SetDragRecords(uint32_t flavour, uint32_t creator, uint32_t cls, const std::vector<const LObject*>& records,
                        bool copy);
    // The rows of the list's selection, in order.
    std::vector<int32_t> SelectedRows() const;
    // The position after the selected cells are taken out: -1 on both axes when the position,
    // the cell left of it or the cell above it is selected.
    static CLPoint PosAfterRemoval(const CLPoint& position, const LRegion& selection);
    uint32_t DropEffect() const;
    void DrawIndicator(LPortState& port) const;
    // The band the indicator fills, in the list's host coordinates.
    LRegion IndicatorRegion() const;

    bool IsDragFromThisList() const { return fDragStart.x >= 0 && fDragStart.y >= 0; }
    CLPoint DragStart() const { return fDragStart; }
    CLPoint DropPosition() const { return fDropPosition; }
    CLPoint PressCell() const { return fPressCell; }
    uint32_t ResultKind() const { return fResultKind; }
    uint32_t ShownIndicatorKind() const { return fIndicatorKind; }
    uint32_t AcceptShown() const { return fAcceptShown; }
    bool IsCopy() const { return fCopy; }
    bool IsArmed() const { return fArmed; }
    CDragger* Dragger() const { return fDragger.get(); }
    const LTimer& PressTimer() const { return *fPressTimer; }

private:
    uint32_t HandlePointer(const LMessage& msg);
    uint32_t PressTimerExpired();
    uint32_t DraggerMoved();
    uint32_t DraggerEnded();
    void DragStep();
    void TrackOntoCell(const CLPoint& point);
    void TrackGap(const CLPoint& point);
    uint32_t Drop();
    bool DropWouldChangeNothing() const;
    void ShowIndicator(const CLPoint& position, uint32_t kind);
    void HideIndicator();
    bool ShiftHeld() const;
    void SendSense();

    std::unique_ptr<LTimer> fPressTimer;
    std::unique_ptr<CDragger> fDragger;
    CLPoint fDragStart{-1, -1};
    uint32_t fOptions;
    CLPoint fPressCell{-1, -1};
    CLPoint fTarget{-1, -1};
    bool fArmed = false;
    bool fCopy = false;
    uint32_t fOrientation;
    uint32_t fResultKind = kResultMove;
    uint32_t fAcceptKind = 1;
    CLPoint fDropPosition{-1, -1};
    uint32_t fIndicatorKind = kIndicatorHorizontal;
    uint32_t fAcceptShown = 0;
    bool fIndicatorShown = false;
};
