#pragma once
#include "controls/CColor.h"
#include "controls/lists/LInvalCache.h"
#include "controls/lists/LListPane.h"

#include <memory>
#include <vector>

// A list whose cells are real panes that the user clicks into, tabs through and edits. The
// subclass creates the panes and fills them from its data; the grid recycles them between
// cells. In stamp mode one prototype pane is moved over each cell in turn to draw it, and cells
// get live panes only under the pointer or with the focus; in live mode every drawn cell keeps
// a pane of its own in a pool sorted by cell.
class LCellGrid : public LListPane {
public:
    // One pane bound to one cell; the cell is (-1, -1) while the slot is free.
    struct CellSlot {
        CLPoint cell{-1, -1};
        std::unique_ptr<LPane> pane;
        bool IsFree() const { return cell.x < 0 || cell.y < 0; }
    };

    LCellGrid(LPane* parent, uint32_t selectionMode, bool keepSelection, bool liveCells);
    ~LCellGrid() override;

    const CColorRef& Background() const { return fBackground; }
    void SetBackground(const CColorRef& colour);
    // The prototype pane, made on first need; it sets the cell size to its preferred size.
    LPane* PrototypeCell();
    void UpdateCell(const CLPoint& cell);
    void UpdateAllCells();
    // Detaches every pane from its cell.
    void ReleaseCells();
    void ReconfigureCells();
    // The bound live pane that is `pane` or holds it, and its cell; null when none.
    LPane* FindCell(const LPane* pane, CLPoint* cell = nullptr) const;
    // The focus cell; false when no focus pane is bound.
    bool FocusCell(CLPoint& cell) const;
    bool IsLive() const { return fLive; }
    const CellSlot& WorkingSlot() const { return fWorking; }
    const CellSlot& FocusSlot() const { return fFocus; }
    size_t PoolCount() const { return fPool.size(); }
    const CellSlot& PoolSlot(size_t i) const { return *fPool[i]; }

    void BeginBatch();
    void EndBatch();
    bool InBatch() const { return fBatch != nullptr; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void GetContext(LPaneContext& context) const override;
    void Invalidate(const LRegion& update, const LRegion& erase) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    LPane* FocusTarget() override;
    LPane* HitTest(const CLPoint& point) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;
    void DrawCell(LPortState& port, const CLPoint& cell, const CLRect& rect) const override;
    void SelectionChanged(const LRegion& changed, const LRegion& old) override;
    void CellsShifted(int32_t axis, int32_t index, int32_t count) override;
    bool CoversCells() const override;
    void Scrolled() override;
    void InvalidateCells(const LRegion& region) override;
    void CellSizeChanged(int32_t width, int32_t height) override;

    // A new cell pane (the grid as parent and host), or null.
    virtual std::unique_ptr<LPane> CreateCell() = 0;
    // Fills the pane for the cell; false when the cell has nothing to show.
    virtual bool FillCell(LPane& pane, const CLPoint& cell) = 0;
    // Sets up what depends on the grid rather than the cell (fonts, colours, styles).
    virtual void ConfigureCell(LPane& pane);
    virtual void ConfigureCellBackground(LPane& pane, const CLPoint& cell, bool selected);
    // 0 to 4 pick how the cell size follows the prototype; 5 and above keep `size`.
    virtual int32_t CellSizePolicy(CLPoint& size);

    // Moves the keyboard focus one cell with an arrow key; true when the key was taken.
    bool HandleArrowKey(const LMessage& msg);

    // With Tab through cells on, Tab goes on from a cell's last stop to the first stop of the
    // next cell (Shift+Tab from its first stop to the last stop of the previous cell), reading
    // row by row; a Tab from outside the grid lands in its first cell (Shift+Tab in its last),
    // and one past the last cell leaves the grid for the window's next stop. Off, Tab stays in
    // its cell.
    void SetTabThroughCells(bool on) { fTabThroughCells = on; }
    bool TabsThroughCells() const { return fTabThroughCells; }
    bool AdvanceFocus(LFocusDir dir, LFocusRestart restart) override;

protected:
    bool InGrid(const CLPoint& cell) const { return GridBounds().Contains(cell); }

private:
    friend class CCellIter;
    using SlotPtr = std::unique_ptr<CellSlot>;

    // The live pane of the cell for a visitor, binding one first unless `lookUpOnly`; null when
    // the cell has none and cannot get one.
    LPane* LivePaneFor(const CLPoint& cell, bool lookUpOnly);

    // Slot bookkeeping (LCellGridSlots.cpp).
    void BindPane(CellSlot& slot, const CLPoint& cell);
    void BindCurrentCell(const CLPoint& cell);
    void EnsureSpare();
    std::unique_ptr<LPane> NewPane();
    // Index of the pool slot holding the cell, or -1.
    int32_t FindPoolSlot(const CLPoint& cell) const;
    void InsertIntoPool(SlotPtr slot);
    // Swaps the contents of a pool slot with `other`, then puts the pool slot back in order.
    void SwapWithPool(size_t index, CellSlot& other);
    CellSlot* SlotOf(const CLPoint& cell);
    void DropFocusCell();
    void PlaceLivePanes();
    void ForEachLivePane(void (*apply)(LPane&, int32_t), int32_t event);
    bool MoveFocusTo(const CLPoint& target, const CLPoint& point);
    // Binds the cell's pane for the focus, scrolled into view; null when the cell has none.
    LPane* BindForFocus(const CLPoint& target);
    // Puts the focus on the first (forward) or last stop of the first cell from `from` on, in
    // reading order, that has one; false when none has.
    bool FocusFirstStopFrom(CLPoint from, LFocusDir dir);
    bool HandleTabKey(const LMessage& msg);
    LPane* LiveHitTest(const CLPoint& point, const CLPoint& cell);
    void DrawLiveCell(LPortState& port, const CLPoint& cell, const CLRect& rect);
    bool StampCell(LPortState& port, const CLPoint& cell);
    void FillBackground(LPortState& port, const CLRect& rect) const;
    void PassStateToCells(int32_t event);
    void PrefsChanged();
    bool ReqFocusFromCell(LMessage& result, const LMessage& msg);

    CColorRef fBackground;
    std::unique_ptr<LInvalCache> fBatch;
    std::unique_ptr<LPane> fPrototype;
    CellSlot fWorking;
    CellSlot fFocus;
    std::vector<SlotPtr> fPool;
    bool fKeepSelection;
    bool fLive;
    bool fTabThroughCells = false;
    // The key event of a Tab that ran past the cells and is on its way out (0 for none): the
    // frames it passes on the way do not lead it back in.
    uint32_t fTabLeaving = 0;
};
