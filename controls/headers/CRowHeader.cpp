#include "controls/headers/CRowHeader.h"

#include "controls/headers/CRespText.h"

#include <algorithm>

namespace {

// Margin of the items at either side of the header.
constexpr int32_t kMargin = 3;

CLRect AtLeastOnePixel(CLRect rect)
{
    rect.right = std::max(rect.right, rect.left + 1);
    rect.bottom = std::max(rect.bottom, rect.top + 1);
    return rect;
}

} // namespace

void CRowHeader::SetRow(int32_t n, int32_t baseline, LPaneContext* context)
{
    CRespText* item = Item(n);
    if (!item)
        return;
    const int32_t ascent = item->PrefHeight(context, -10);
    const int32_t height = item->PrefHeight(context, 0);
    const int32_t top = baseline - ascent;
    item->SetRect(AtLeastOnePixel(CLRect{kMargin, top, static_cast<int32_t>(Rect().Width()) - kMargin, top + height}));
}

void CRowHeader::RectChanged(const CLRect& old)
{
    if (old.Width() != Rect().Width()) {
        const int32_t width = static_cast<int32_t>(Rect().Width());
        for (int32_t i = 0; i < ItemCount(); ++i) {
            CRespText* item = Item(i);
            item->SetRect(AtLeastOnePixel(CLRect{kMargin, item->Rect().top, width - kMargin, item->Rect().bottom}));
        }
    }
    CHeaderFrame::RectChanged(old);
}

int32_t CRowHeader::PrefWidth(LPaneContext* context, int32_t hint)
{
    int32_t widest = 0;
    for (int32_t i = 0; i < ItemCount(); ++i)
        widest = std::max(widest, Item(i)->PrefWidth(context, hint));
    return widest > 0 ? widest + 2 * kMargin : 0;
}

void CRowHeader::SetItemText(CRespText& item, const LStringRef& text, LPaneContext*)
{
    item.SetText(text);
}

void CRowHeader::SetItemFont(CRespText& item, const LFont& font, LPaneContext* context)
{
    const int32_t before = item.PrefHeight(context, -10);
    if (!item.SetFont(font))
        return;
    const int32_t top = item.Rect().top + before - item.PrefHeight(context, -10);
    const int32_t width = static_cast<int32_t>(Rect().Width());
    item.SetRect(AtLeastOnePixel(CLRect{kMargin, top, width - kMargin, top + item.PrefHeight(context, 0)}));
}
