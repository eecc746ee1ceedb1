#pragma once
#include "outputs/defs/CValueCtlDef.h"

#include <string>
#include <vector>

// A pop-up list of the texts of its "items" blocks; its value is the selected text.
class CPopListCtlDef : public CValueCtlDef {
public:
    explicit CPopListCtlDef(const CDefList& block);
    void WidthExpr(uint32_t pane, LStrStream& out) const override;
    void HeightExpr(uint32_t pane, LStrStream& out) const override;
    LStringRef FormatValue() const override;
    // A pop-up list of the items at its preferred size. It shows texts only: a value text
    // selects the item with that text, and "LPopupList_Changed" reports the selected text.
    std::unique_ptr<LPane> CreateControl(LPane* parent) const override;
    void SetControlValue(LPane& control, float value) const override;
    void SetControlText(LPane& control, const LStringRef& text) const override;
    bool ReadControlText(const LMessage& msg, LStringRef& text) const override;
    const std::vector<std::string>& Items() const { return fItems; }

private:
    std::vector<std::string> fItems;
};
