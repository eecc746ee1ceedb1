#include "controls/lists/LListNavi.h"
#include "controls/lists/LListPane.h"
#include "controls/std/LScrollBar.h"
#include "shell/windows/NativeWindow.h"
#include "ui/panes/LPaneContext.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* LListNavi::msgNavi = "LListNavi_Navi";

namespace {

int32_t Width(const CLRect& r)
{
    return int32_t(r.Width());
}

int32_t Height(const CLRect& r)
{
    return int32_t(r.Height());
}

} // namespace

LListNavi::LListNavi(LPane* parent, uint32_t style, bool focusable)
    : LFrame(parent, parent), fStyle(style), fFocusable(focusable)
{
    auto makeBar = [this](uint32_t orientation) {
        auto bar = std::make_unique<LScrollBar>(this, orientation, true);
        if (HasFlags(kPaneShown | kPaneHostShown))
            bar->SetState(kEventHostShow);
        if (HasFlags(kPaneEnabled | kPaneHostActive))
            bar->SetState(kEventActivate);
        return bar;
    };
    if (style & kVerticalBar)
        fVBar = makeBar(LScrollBar::kVertical);
    if (style & kHorizontalBar)
        fHBar = makeBar(LScrollBar::kHorizontal);
}

LListNavi::~LListNavi()
{
    fHBar.reset();
    fVBar.reset();
}

// ---- parts

void LListNavi::SetList(LListPane* list)
{
    if (fList)
        fList->SetState(kEventHide);
    fList = list;
    if (fList)
        fList->SetState(kEventShow);
    Layout();
    for (int pass = 0; pass < 2; ++pass) {
        ScrollToColumn(fHBar ? fHBar->GetValue() : 0);
        ScrollToRow(fVBar ? fVBar->GetValue() : 0);
        if (pass == 0)
            SyncScrollBars();
    }
}

void LListNavi::SetColumnHeader(LListPane* header)
{
    fColumnHeader = header;
    Layout();
    SyncScrollBars();
}

void LListNavi::SetRowHeader(LListPane* header)
{
    fRowHeader = header;
    Layout();
    SyncScrollBars();
}

void LListNavi::SetCorner(LPane* corner)
{
    fCorner = corner;
    Layout();
}

LListPane* LListNavi::ReferenceList(int axis) const
{
    return fList ? fList : (axis == 0 ? fColumnHeader : fRowHeader);
}

LScrollBar* LListNavi::Bar(int axis) const
{
    return axis == 0 ? fHBar.get() : fVBar.get();
}

// ---- layout

void LListNavi::Layout()
{
    LPaneContext context = LPaneContext::FromPane(*this);
    CLRect content{0, 0, Width(Rect()), Height(Rect())};
    const CLRect frame = content;
    content.Inset(1, 1);
    const int32_t headerH = fColumnHeader ? fColumnHeader->PrefHeight(&context, 0) : 0;
    const int32_t headerW = fRowHeader ? fRowHeader->PrefWidth(&context, 0) : 0;
    (fStyle & kColumnHeaderBottom ? content.bottom -= headerH : content.top += headerH);
    (fStyle & kRowHeaderRight ? content.right -= headerW : content.left += headerW);
    const int32_t barH = fHBar ? fHBar->PrefHeight(&context, 0) : 0;
    const int32_t barW = fVBar ? fVBar->PrefWidth(&context, 0) : 0;
    (fStyle & kHorizontalBarTop ? content.top += barH : content.bottom -= barH);
    (fStyle & kVerticalBarLeft ? content.left += barW : content.right -= barW);

    // The window's grow box may take room from the bar ends near the window's corner.
    const int32_t grow = GetGrowBoxInset(GetNativeWindow());
    CLPoint windowEnd{frame.right, frame.bottom};
    if (const LWindow* window = LWindow::FindByNative(context.window)) {
        const CLRect contentRect = window->GetContentRect();
        windowEnd = {Width(contentRect) - context.originX, Height(contentRect) - context.originY};
    }
    if (fHBar) {
        CLRect bar{content.left, 0, content.right, 0};
        bar.top = fStyle & kHorizontalBarTop ? frame.top + 1 : frame.bottom - 1 - barH;
        bar.bottom = bar.top + barH;
        if (grow > 1 && windowEnd.y - bar.bottom < grow - 1)
            bar.right = std::min(bar.right, std::max(windowEnd.x, frame.right - 1) - grow);
        fHBar->SetRect(bar);
    }
    if (fVBar) {
        CLRect bar{0, content.top, 0, content.bottom};
        bar.left = fStyle & kVerticalBarLeft ? frame.left + 1 : frame.right - 1 - barW;
        bar.right = bar.left + barW;
        if (grow > 1 && windowEnd.x - bar.right < grow - 1)
            bar.bottom = std::min(bar.bottom, std::max(windowEnd.y, frame.bottom - 1) - grow);
        fVBar->SetRect(bar);
    }
    CLRect columnHeader{content.left, content.top - headerH, content.right, content.top};
    if (fStyle & kColumnHeaderBottom)
        columnHeader = {content.left, content.bottom, content.right, content.bottom + headerH};
    CLRect rowHeader{content.left - headerW, content.top, content.left, content.bottom};
    if (fStyle & kRowHeaderRight)
        rowHeader = {content.right, content.top, content.right + headerW, content.bottom};
    if (fColumnHeader)
        fColumnHeader->SetRect(columnHeader);
    if (fRowHeader)
        fRowHeader->SetRect(rowHeader);
    if (fList)
        fList->SetRect(content);
    if (fCorner && fColumnHeader && fRowHeader)
        fCorner->SetRect({rowHeader.left, columnHeader.top, rowHeader.right, columnHeader.bottom});
}

// ---- scrolling

void LListNavi::SyncScrollBars()
{
    SyncAxis(0);
    SyncAxis(1);
}

void LListNavi::SyncAxis(int axis)
{
    LScrollBar* bar = Bar(axis);
    LListPane* list = ReferenceList(axis);
    int32_t& step = axis == 0 ? fColumnStep : fRowStep;
    if (!list) {
        if (bar)
            bar->SetRange(0, 0, 0, 1);
        return;
    }
    const int32_t cell = axis == 0 ? list->CellWidth() : list->CellHeight();
    step = cell < 9 ? 16 / cell : 1;
    if (!bar)
        return;
    const int32_t origin = axis == 0 ? list->Origin().x : list->Origin().y;
    const int32_t maximum = std::max(axis == 0 ? list->MaxOriginColumn() : list->MaxOriginRow(), origin);
    const int32_t full = axis == 0 ? list->FullColumns() : list->FullRows();
    bar->SetRange(origin, 0, maximum, std::max(full, 2) - 1);
}

void LListNavi::ScrollAxis(int axis, int32_t to)
{
    LListPane* list = ReferenceList(axis);
    if (!list)
        return;
    const CLPoint origin = list->Origin();
    const int32_t current = axis == 0 ? origin.x : origin.y;
    const int32_t last = std::max(axis == 0 ? list->MaxOriginColumn() : list->MaxOriginRow(), current);
    to = std::clamp(to, 0, last);
    list->ScrollTo(axis == 0 ? CLPoint{to, origin.y} : CLPoint{origin.x, to});
    LListPane* header = axis == 0 ? fColumnHeader : fRowHeader;
    if (fList && header) {
        const CLPoint own = header->Origin();
        header->ScrollTo(axis == 0 ? CLPoint{to, own.y} : CLPoint{own.x, to});
    }
}

void LListNavi::ScrollToColumn(int32_t column)
{
    ScrollAxis(0, column);
}

void LListNavi::ScrollToRow(int32_t row)
{
    ScrollAxis(1, row);
}

void LListNavi::SendNavi()
{
    LMessage::Send(LMessage(msgNavi, this, Parent()));
}
