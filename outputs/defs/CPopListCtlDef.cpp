#include "outputs/defs/CPopListCtlDef.h"

#include "controls/LCtlSpec.h"
#include "controls/std/LPopupList.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CMidiCtlDefs.h"
#include "outputs/defs/ControlAccess.h"
#include "ui/panes/LPaneContext.h"

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

std::unique_ptr<LPane> CPopListCtlDef::CreateControl(LPane* parent) const
{
    auto list = std::make_unique<LPopupList>(parent, LCtlSpec::Default(), 0);
    for (const std::string& item : fItems)
        list->AddItem(item);
    list->SetSelection(0);
    LPaneContext context = LPaneContext::FromPane(*list);
    const int32_t width = list->PrefWidth(&context, 0);
    list->SetRect({0, 0, width, list->PrefHeight(&context, width)});
    return list;
}

void CPopListCtlDef::SetControlValue(LPane&, float) const {}

void CPopListCtlDef::SetControlText(LPane& control, const LStringRef& text) const
{
    auto* list = dynamic_cast<LPopupList*>(&control);
    if (!list)
        return;
    const int32_t n = list->FindItem(std::string(text.View()));
    if (n >= 0)
        list->SetSelection(n);
}

bool CPopListCtlDef::ReadControlText(const LMessage& msg, LStringRef& text) const
{
    LPopupList* list = ControlOf<LPopupList>(msg, LPopupList::msgChanged);
    if (!list)
        return false;
    text = LStringRef(std::string_view(list->GetItemText(list->GetSelection())));
    return true;
}
