#include "controls/headers/CHeaderFrame.h"

#include "controls/headers/CRespText.h"
#include "foundation/core/StrEqual.h"

const char* CHeaderFrame::msgSelected = "CHeaderFrame_Selected";
const char* CHeaderFrame::msgPlace = "CHeaderFrame_Place";

CHeaderFrame::CHeaderFrame(LPane* parent, uint32_t alignment, bool selectable, bool itemFlag)
    : LFrame(parent, parent), fAlignment(alignment), fItemFlag(itemFlag), fSelectable(selectable)
{
    CColor::AssignById(fHighlight, 3);
}

CHeaderFrame::~CHeaderFrame()
{
    RemoveAllItems();
}

void CHeaderFrame::AddItem(const LStringRef& text, const LFont& font)
{
    auto item = std::make_unique<CRespText>(this, fItemFlag);
    item->SetAlignment(static_cast<int32_t>(fAlignment));
    item->SetText(text);
    item->SetFont(font);
    item->SetRect(CLRect{0, 0, 1, 1});
    if (HasFlags(kPaneEnabled | kPaneHostActive))
        item->SetState(kEventActivate);
    if (HasFlags(kPaneShown | kPaneHostShown))
        item->SetState(kEventHostShow);
    fItems.push_back(std::move(item));
}

void CHeaderFrame::RemoveAllItems()
{
    fSelected = -1;
    while (!fItems.empty())
        fItems.pop_back();
}

CRespText* CHeaderFrame::Item(int32_t n) const
{
    return n >= 0 && n < ItemCount() ? fItems[static_cast<size_t>(n)].get() : nullptr;
}

CRespText* CHeaderFrame::UsableItem(int32_t n) const
{
    CRespText* item = Item(n);
    if (!item)
        return nullptr;
    const CLPoint corner{item->Rect().left, item->Rect().top};
    return item->HitTest(corner) ? item : nullptr;
}

int32_t CHeaderFrame::IndexOf(const LHandler* item) const
{
    for (int32_t i = 0; i < ItemCount(); ++i)
        if (fItems[static_cast<size_t>(i)].get() == item)
            return i;
    return -1;
}

bool CHeaderFrame::Select(int32_t n)
{
    if (n == fSelected)
        return false;
    if (CRespText* old = Item(fSelected))
        old->SetHighlight(false);
    if (CRespText* item = UsableItem(n)) {
        fSelected = n;
        item->SetHighlightColor(fHighlight);
        item->SetHighlight(true);
    } else {
        fSelected = -1;
    }
    return true;
}

void CHeaderFrame::SetItemText(int32_t n, const LStringRef& text, LPaneContext* context)
{
    if (CRespText* item = UsableItem(n))
        SetItemText(*item, text, context);
}

void CHeaderFrame::SetItemFont(int32_t n, const LFont& font, LPaneContext* context)
{
    if (CRespText* item = UsableItem(n))
        SetItemFont(*item, font, context);
}

CLRect CHeaderFrame::ItemRect(int32_t n) const
{
    const CRespText* item = Item(n);
    return item ? item->Rect() : CLRect{};
}

void CHeaderFrame::SendPlace()
{
    LMessage::Send(LMessage(msgPlace, this, fPlaceListener));
}

void CHeaderFrame::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, CRespText::msgClick) && msg.subject != this) {
        const int32_t n = IndexOf(msg.subject);
        if (fSelectable && n >= 0) {
            Select(n);
            LMessage::Make(result, msgSelected, this, Parent());
        } else {
            // Not taken: the click goes back to the item it came from.
            LMessage::Redirect(result, msg, msg.subject);
        }
        return;
    }
    LFrame::HandleMessage(result, msg);
}

void CHeaderFrame::StateChanged(int32_t event)
{
    LFrame::StateChanged(event);
    if (event == kEventMoved)
        SendPlace();
}

void CHeaderFrame::RectChanged(const CLRect& old)
{
    LFrame::RectChanged(old);
    SendPlace();
}
