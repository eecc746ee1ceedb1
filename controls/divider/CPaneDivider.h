#pragma once
#include "foundation/geometry/CLPoint.h"
#include "ui/frames/LFrame.h"

#include <cstdint>
#include <vector>

// A frame that lays its shown children out side by side (or stacked) with a draggable bar of
// 5 pixels between each two neighbours. Dragging a bar moves the boundary between two
// children; the space is taken from or given to the children beyond the bar by their
// preferred sizes. Posts "CPaneDivider_Change" to its parent when a drag ends.
class CPaneDivider : public LFrame {
public:
    static const char* msgChange;
    static constexpr int32_t kBarSize = 5;
    enum : int32_t { kSideBySide = 0, kStacked = 1 };
    // The side of a bar whose children keep their preferred sizes when the children do not all
    // fit, so that the bar's limits cross: the bar stops where that side keeps them.
    enum class Keeps { Leading, Trailing };

    CPaneDivider(LHandler* parent, LPane* host);
    CPaneDivider(LHandler* parent, LPane* host, const LWindowDef& def);

    int32_t Orientation() const { return fOrientation; }
    void SetOrientation(int32_t value);
    // Which side keeps its preferred sizes when they do not all fit; the leading one at first.
    void SetCrossedLimits(Keeps side) { fCrossed = side; }
    // Shows or hides child n (counted among all children) and lays everything out again.
    void ShowPane(int32_t n, bool show);
    // Moves bar n to `position` as a drag would, both neighbours following.
    void MoveDivider(int32_t n, int32_t position);
    // The leading edge of bar n, or -1 when there is no such bar.
    int32_t DividerPos(int32_t n) const;
    int32_t TrackPos() const { return fTrackPos; }
    int32_t LowerLimit() const { return fLowerLimit; }
    int32_t UpperLimit() const { return fUpperLimit; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    LPane* HitTest(const CLPoint& point) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    // Layout (CPaneDividerLayout.cpp).
    std::vector<LPane*> VisibleChildren() const;
    bool Stacked() const { return fOrientation == kStacked; }
    int32_t Lead(const LPane& pane) const;
    int32_t Trail(const LPane& pane) const;
    int32_t Pref(LPane& pane) const;
    int32_t MainExtent() const;
    void SetSpan(LPane& pane, int32_t start, int32_t end) const;
    CLRect BarRect(int32_t leadingEdge) const;
    LRegion BarRegion() const;
    void LayoutAll();
    void Distribute(int32_t e, size_t first, size_t last);
    void ComputeLimits(int32_t n);
    void ApplyDrag(bool both);

    // Mouse tracking (CPaneDivider.cpp).
    int32_t BarAt(const CLPoint& local) const;
    CLPoint MouseLocal() const;
    CLRect TrackRect() const;
    void InvalidateLocal(const LRegion& update, const LRegion& erase);
    void TrackTo(const CLPoint& screen);
    bool HandleMouse(LMessage& result, const LMessage& msg);
    void SetOrientationCursor() const;

    // Invalidates the bars before and after a re-layout.
    class BarGuard;

    int32_t fOrientation = kSideBySide;
    int32_t fTrackPos = -1;
    int32_t fLowerLimit = 0;
    int32_t fUpperLimit = 0;
    int32_t fDraggedBar = 0;
    CLPoint fClickPoint;
    bool fLayoutNeeded = true;
    Keeps fCrossed = Keeps::Leading;
};
