#pragma once
#include "controls/CColor.h"
#include "shell/draw/LFont.h"
#include "ui/frames/LFrame.h"

#include <memory>
#include <vector>

class CRespText;

// A frame holding a row of text items, one of which may be selected by a click
// ("CHeaderFrame_Selected"). It tells a listener whenever its geometry changes
// ("CHeaderFrame_Place") so that the list beside it can line up.
class CHeaderFrame : public LFrame {
public:
    static const char* msgSelected;
    static const char* msgPlace;

    CHeaderFrame(LPane* parent, uint32_t alignment, bool selectable, bool itemFlag);
    ~CHeaderFrame() override;

    void AddItem(const LStringRef& text, const LFont& font);
    void RemoveAllItems();
    // Answers whether the selection changed; an item that is missing or not usable clears it.
    bool Select(int32_t n);
    int32_t Selection() const { return fSelected; }
    void SetItemText(int32_t n, const LStringRef& text, LPaneContext* context);
    void SetItemFont(int32_t n, const LFont& font, LPaneContext* context);
    CLRect ItemRect(int32_t n) const;
    int32_t ItemCount() const { return static_cast<int32_t>(fItems.size()); }
    CRespText* Item(int32_t n) const;
    void SetPlaceListener(LHandler* listener) { fPlaceListener = listener; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;

protected:
    // The item exists and its own hit test at its top-left corner answers it.
    CRespText* UsableItem(int32_t n) const;
    int32_t IndexOf(const LHandler* item) const;
    virtual void SetItemText(CRespText& item, const LStringRef& text, LPaneContext* context) = 0;
    virtual void SetItemFont(CRespText& item, const LFont& font, LPaneContext* context) = 0;

private:
    void SendPlace();

    uint32_t fAlignment;
    bool fItemFlag;
    bool fSelectable;
    int32_t fSelected = -1;
    LHandler* fPlaceListener = nullptr;
    CColorRef fHighlight;
    std::vector<std::unique_ptr<CRespText>> fItems;
};
