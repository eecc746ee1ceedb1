#pragma once
#include "controls/std/LStdCtl.h"
#include "foundation/core/LList.h"

#include <string>

namespace plat {
class PopUpButton;
}

// A pop-up list over a native pop-up button. Choosing another item reports
// "LPopupList_Changed"; a title pane made with the list as its parent becomes its caption.
class LPopupList : public LStdCtl {
public:
    static const char* msgChanged;
    // Option bits: items are added in sorted order; the preferred width is fixed.
    enum : uint32_t { kSorted = 0x1, kFixedWidth = 0x2 };

    LPopupList(LPane* parent, const LStdCtlDesc& desc, uint32_t options);
    ~LPopupList() override;

    void RemoveAllItems();
    int32_t GetItemCount() const;
    std::string GetItemText(int32_t n) const;
    // An empty text inserts a separator.
    void InsertItem(const std::string& text, int32_t index);
    void AddItem(const std::string& text);
    // Selects n limited to the items (0 without items); answers the limited index.
    int32_t SetSelection(int32_t n);
    int32_t GetSelection() const { return fSelection; }
    int32_t FindItem(const std::string& text) const;
    LHandler* Caption() const { return fCaption; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    LRegion GetShape(const CLRect& rect) const override;

private:
    plat::PopUpButton* Button() const;

    int32_t fSelection = -1;
    LList fList;
    uint32_t fOptions;
    uint8_t fPlaceholder = 0;
    LHandler* fCaption = nullptr;
};
