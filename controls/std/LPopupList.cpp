#include "controls/std/LPopupList.h"

#include "foundation/core/StrEqual.h"
#include "platform/controls/PopUpButton.h"

#include <algorithm>
#include <cstring>

const char* LPopupList::msgChanged = "LPopupList_Changed";

namespace {

constexpr const char* kTitleConstructing = "LTitlePane_Constructing";
constexpr const char* kTitleDestructing = "LTitlePane_Destructing";
// Room the list adds to its widest title (margins and the arrow).
constexpr int32_t kArrowWidth = 36;

} // namespace

LPopupList::LPopupList(LPane* parent, const LStdCtlDesc& desc, uint32_t options)
    : LStdCtl(parent, WrapNew(desc, std::make_unique<plat::PopUpButton>(), desc.style)), fOptions(options)
{
    RemoveAllItems();
}

LPopupList::~LPopupList()
{
    RemoveAllItems();
}

plat::PopUpButton* LPopupList::Button() const
{
    return dynamic_cast<plat::PopUpButton*>(NativeControl());
}

void LPopupList::RemoveAllItems()
{
    fSelection = -1;
    if (plat::PopUpButton* button = Button())
        button->RemoveAllItems();
}

int32_t LPopupList::GetItemCount() const
{
    const plat::PopUpButton* button = Button();
    return button ? button->ItemCount() : 0;
}

std::string LPopupList::GetItemText(int32_t n) const
{
    const plat::PopUpButton* button = Button();
    return button && n >= 0 && n < button->ItemCount() ? button->ItemTitle(n) : std::string();
}

void LPopupList::InsertItem(const std::string& text, int32_t index)
{
    plat::PopUpButton* button = Button();
    if (!button)
        return;
    index = std::clamp(index, 0, button->ItemCount());
    if (text.empty())
        button->InsertSeparator(index);
    else
        button->InsertItem(text, index);
    if (fSelection >= index) {
        ++fSelection;
        button->SelectItem(fSelection);
    }
}

void LPopupList::AddItem(const std::string& text)
{
    int32_t index = GetItemCount();
    if (fOptions & kSorted) {
        for (int32_t i = 0; i < GetItemCount(); ++i) {
            if (std::strcmp(GetItemText(i).c_str(), text.c_str()) > 0) {
                index = i;
                break;
            }
        }
    }
    InsertItem(text, index);
}

int32_t LPopupList::SetSelection(int32_t n)
{
    const int32_t count = GetItemCount();
    n = count > 0 ? std::clamp(n, 0, count - 1) : 0;
    if (n == fSelection)
        return n;
    fSelection = n;
    if (count > 0) {
        Button()->SelectItem(n);
        NativeView()->SetNeedsDisplay();
    }
    return n;
}

int32_t LPopupList::FindItem(const std::string& text) const
{
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (GetItemText(i) == text)
            return i;
    return -1;
}

void LPopupList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgSelected)) {
        const int32_t chosen = Button() ? Button()->SelectedIndex() : -1;
        if (chosen != fSelection) {
            fSelection = chosen;
            LMessage::Make(result, msgChanged, this, Parent());
        } else {
            LMessage::Clear(result);
        }
        return;
    }
    if (StrEqual(msg.type, kTitleConstructing) && !fCaption) {
        fCaption = msg.subject;
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, kTitleDestructing) && msg.subject && msg.subject == fCaption) {
        fCaption = nullptr;
        LMessage::Clear(result);
        return;
    }
    LStdCtl::HandleMessage(result, msg);
}

int32_t LPopupList::PrefWidth(LPaneContext*, int32_t hint)
{
    if (hint == -3)
        return kArrowWidth;
    if (hint == -13)
        return ReferenceWidth("M");
    if ((fOptions & kFixedWidth) || GetItemCount() == 0)
        return kArrowWidth;
    int32_t widest = 0;
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (const std::string title = GetItemText(i); !title.empty())
            widest = std::max(widest, ReferenceWidth(title.c_str()));
    return widest + kArrowWidth;
}

int32_t LPopupList::PrefHeight(LPaneContext* context, int32_t hint)
{
    switch (hint) {
    case -12: return BaselineOffset(static_cast<int32_t>(Rect().Height()));
    case -11:
    case -1: return 1;
    case -10: return BaselineOffset(PrefHeight(context, 0));
    default: {
        const CLPoint natural = NaturalSize();
        if (natural.x > 0 && natural.y > 0)
            return natural.y;
        return std::max(0, FontLineHeight()) + 4;
    }
    }
}

LRegion LPopupList::GetShape(const CLRect& rect) const
{
    return LRegion(CLRect{rect.left - 1, rect.top - 2, rect.right + 1, rect.bottom + 2});
}
