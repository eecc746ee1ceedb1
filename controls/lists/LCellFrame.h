#pragma once
#include "ui/frames/LFrame.h"
#include "controls/lists/LInvalCache.h"

#include <memory>

// The frame of one cell of a cell grid: it keeps Tab among its own controls (unless the grid
// tabs through its cells), and can cache its drawing context while the grid stamps or refreshes
// many cells in a row, so that the invalidations of one pass reach the window at once.
class LCellFrame : public LFrame {
public:
    // A nested frame: the parent is handler and host.
    explicit LCellFrame(LPane* parent);
    ~LCellFrame() override;

    // Starts caching the drawing context; invalidations only accumulate until EndCache.
    void BeginCache();
    // Invalidates what accumulated and drops the cache.
    void EndCache();
    bool IsCaching() const { return fCache != nullptr; }
    // Puts the frame into its window: its children hear event 4 and it takes flag 0x4.
    void ShowInWindow();
    // Hands the accumulated invalidations on, then takes the frame out of its window.
    void HideFromWindow();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void GetContext(LPaneContext& context) const override;
    void Invalidate(const LRegion& update, const LRegion& erase) override;

private:
    void FlushCache();

    std::unique_ptr<LInvalCache> fCache;
};

// Puts any cell pane into its window (a cell frame through ShowInWindow, another pane by
// state event 4), and takes it out again.
void ShowCellInWindow(LPane& pane);
void HideCellFromWindow(LPane& pane);
