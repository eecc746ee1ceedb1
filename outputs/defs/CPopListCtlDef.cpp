#include "outputs/defs/CPopListCtlDef.h"

#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CMidiCtlDefs.h"

CPopListCtlDef::CPopListCtlDef(const CDefList& block) : CValueCtlDef(block)
{
    if (const CDefNode* items = CDefNode::FindChild(block, "items")) {
        for (const CDefList& item : items->blocks)
            fItems.push_back(CDefNode::ChildValue(item, "text"));
    }
}

void CPopListCtlDef::WidthExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("w", pane, out);
}

void CPopListCtlDef::HeightExpr(uint32_t pane, LStrStream& out) const
{
    WritePaneCall("hp", pane, out);
}

LStringRef CPopListCtlDef::FormatValue() const
{
    return DoubleToStringTrim(0, Ini());
}
