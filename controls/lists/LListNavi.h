#pragma once
#include "ui/frames/LFrame.h"

#include <cstdint>
#include <memory>

class LListPane;
class LScrollBar;

// The frame that makes a list usable in a window: it places the main list, optional column and
// row header lists, a corner pane where the headers meet and up to two scroll bars; keeps the
// headers scrolled with the main list; turns bar actions and wheel movement into scrolls,
// each reported as "LListNavi_Navi"; and draws a list-box frame with a focus look.
class LListNavi : public LFrame {
public:
    static const char* msgNavi;

    enum : uint32_t {
        kVerticalBar = 0x1,
        kHorizontalBar = 0x2,
        kVerticalBarLeft = 0x4,
        kHorizontalBarTop = 0x8,
        kColumnHeaderBottom = 0x10,
        kRowHeaderRight = 0x20,
    };

    // Nested in the parent frame; the bars are made from the style.
    LListNavi(LPane* parent, uint32_t style, bool focusable);
    ~LListNavi() override;

    LListPane* List() const { return fList; }
    LListPane* ColumnHeader() const { return fColumnHeader; }
    LListPane* RowHeader() const { return fRowHeader; }
    LScrollBar* HorizontalBar() const { return fHBar.get(); }
    LScrollBar* VerticalBar() const { return fVBar.get(); }
    int32_t ColumnStep() const { return fColumnStep; }
    int32_t RowStep() const { return fRowStep; }

    void SetList(LListPane* list);
    void SetColumnHeader(LListPane* header);
    void SetRowHeader(LListPane* header);
    void SetCorner(LPane* corner);
    void ScrollToColumn(int32_t column);
    void ScrollToRow(int32_t row);
    void SyncScrollBars();
    void SendNavi();
    void Layout();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void Invalidate(const LRegion& update, const LRegion& erase) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    bool Overlaps(const LRegion& region) const override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    // Per axis: 0 columns (horizontal), 1 rows (vertical).
    LListPane* ReferenceList(int axis) const;
    LScrollBar* Bar(int axis) const;
    void SyncAxis(int axis);
    void ScrollAxis(int axis, int32_t to);
    void ForgetPart(const LHandler* part);
    bool HandleListChange(const LMessage& msg);
    bool HandleBar(LMessage& result, const LMessage& msg, int axis);
    bool HandleWheel(const LMessage& msg);
    // The list-box frame band in host coordinates.
    LRegion FrameBand() const;
    void InvalidateBand();
    // The sizes of the parts along one axis for the size hints.
    int32_t PrefSize(LPaneContext* context, int32_t hint, int axis);

    LListPane* fList = nullptr;
    LListPane* fColumnHeader = nullptr;
    LListPane* fRowHeader = nullptr;
    std::unique_ptr<LScrollBar> fHBar;
    std::unique_ptr<LScrollBar> fVBar;
    LPane* fCorner = nullptr;
    uint32_t fStyle;
    int32_t fColumnStep = 1;
    int32_t fRowStep = 1;
    bool fFocusable;
};
