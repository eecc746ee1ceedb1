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
    const std::vector<std::string>& Items() const { return fItems; }

private:
    std::vector<std::string> fItems;
};
