#include "controls/headers/CColumnHeader.h"

#include "controls/headers/ColumnLayout.h"
#include "controls/headers/CRespText.h"

#include <algorithm>

void CColumnHeader::SetColumn(int32_t n, int32_t x, uint32_t alignment, LPaneContext* context)
{
    CRespText* item = UsableItem(n);
    if (!item)
        return;
    const int32_t width = item->PrefWidth(context, 0);
    const int32_t left = ColumnLayout::LeftForColumn(x, width, alignment);
    CLRect rect{left, 0, left + width, static_cast<int32_t>(Rect().Height())};
    rect.right = std::max(rect.right, rect.left + 1);
    rect.bottom = std::max(rect.bottom, rect.top + 1);
    item->SetRect(rect);
    item->SetAlignment(static_cast<int32_t>(alignment));
    ResolveOverlaps(context);
}

void CColumnHeader::ResolveOverlaps(LPaneContext* context)
{
    std::vector<ColumnLayout::Item> placed;
    for (int32_t i = 0; i < ItemCount(); ++i) {
        CRespText* item = Item(i);
        if (item->IsShown())
            placed.push_back({item->Rect().left, item->PrefWidth(context, 0), 0, static_cast<size_t>(i)});
    }
    ColumnLayout::ResolveOverlaps(placed);
    for (const ColumnLayout::Item& entry : placed) {
        CRespText* item = Item(static_cast<int32_t>(entry.tag));
        CLRect rect = item->Rect();
        rect.right = entry.right;
        item->SetRect(rect);
    }
}

void CColumnHeader::Replace(CRespText& item, LPaneContext* context)
{
    const int32_t width = item.PrefWidth(context, 0);
    CLRect rect = item.Rect();
    if (item.Alignment() == 1)
        rect.left = (rect.left + rect.right) / 2 - width / 2;
    else if (item.Alignment() == 2)
        rect.left = rect.right - width;
    rect.right = rect.left + width;
    rect.right = std::max(rect.right, rect.left + 1);
    rect.bottom = std::max(rect.bottom, rect.top + 1);
    item.SetRect(rect);
    ResolveOverlaps(context);
}

void CColumnHeader::SetItemText(CRespText& item, const LStringRef& text, LPaneContext* context)
{
    if (item.Text() == text)
        return;
    item.SetText(text);
    Replace(item, context);
}

void CColumnHeader::SetItemFont(CRespText& item, const LFont& font, LPaneContext* context)
{
    if (item.SetFont(font))
        Replace(item, context);
}

void CColumnHeader::RectChanged(const CLRect& old)
{
    if (old.Height() != Rect().Height()) {
        const int32_t height = std::max<int32_t>(1, static_cast<int32_t>(Rect().Height()));
        for (int32_t i = 0; i < ItemCount(); ++i) {
            CRespText* item = Item(i);
            CLRect rect = item->Rect();
            rect.top = 0;
            rect.bottom = height;
            item->SetRect(rect);
        }
        ResolveOverlaps(nullptr);
    }
    CHeaderFrame::RectChanged(old);
}

int32_t CColumnHeader::PrefHeight(LPaneContext* context, int32_t hint)
{
    int32_t tallest = 0;
    for (int32_t i = 0; i < ItemCount(); ++i)
        tallest = std::max(tallest, Item(i)->PrefHeight(context, hint));
    return tallest;
}
