#include "outputs/defs/CCtlDefList.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "outputs/defs/CDefNode.h"

void CCtlDefList::Load(const CDefNode* controls, Layout layout)
{
    fDefs.clear();
    fLayout = layout;
    if (controls) {
        for (const CDefList& block : controls->blocks) {
            if (auto def = CCtlDef::Create(block))
                fDefs.push_back(std::move(def));
        }
    }
    BuildScripts();
}

LStringRef CCtlDefList::Id(uint32_t i) const
{
    return i < fDefs.size() ? fDefs[i]->Id() : LStringRef();
}

LStringRef CCtlDefList::Name(uint32_t i) const
{
    return i < fDefs.size() ? fDefs[i]->Name() : LStringRef();
}

LStringRef CCtlDefList::DefaultText(uint32_t i) const
{
    return i < fDefs.size() ? fDefs[i]->FormatValue() : LStringRef();
}

void CCtlDefList::BuildScripts()
{
    LStrStream size;
    LStrStream place;
    if (fLayout == Layout::Row) {
        fPrelude = "hspc=kStdSpc;vspc=kItemVSpc-1;";
        BuildRowScripts(size, place);
    } else {
        fPrelude = "hspc=kItemHSpc-2;vspc=kItemVSpc-1;";
        BuildColumnScripts(size, place);
    }
    fSize = LStringRef(size.View());
    fPlace = LStringRef(place.View());
}

void CCtlDefList::BuildRowScripts(LStrStream& size, LStrStream& place) const
{
    if (!fDefs.empty()) {
        size << "cw=hspc";
        for (uint32_t i = 0; i < fDefs.size(); ++i) {
            size << '+';
            fDefs[i]->WidthExpr(i + 1, size);
            size << "+hspc";
        }
        size << ";ch=max(";
        for (uint32_t i = 0; i < fDefs.size(); ++i) {
            fDefs[i]->HeightExpr(i + 1, size);
            size << ',';
        }
        size << "0)+2*vspc";
    }
    size << ";pp(0,0,0,cw,ch);";
    place << "vc=h(0)/2;l1=hspc;";
    for (uint32_t i = 0; i < fDefs.size(); ++i) {
        fDefs[i]->PlaceInRow(i + 1, place);
        place << "l1=r(";
        WriteLong(i + 1, place);
        place << ")+hspc;";
    }
}

void CCtlDefList::BuildColumnScripts(LStrStream& size, LStrStream& place) const
{
    if (!fDefs.empty()) {
        size << "cw=max(";
        for (uint32_t i = 0; i < fDefs.size(); ++i) {
            fDefs[i]->WidthExpr(i + 1, size);
            size << ',';
        }
        size << "0)+2*hspc;ch=vspc";
        for (uint32_t i = 0; i < fDefs.size(); ++i) {
            size << '+';
            fDefs[i]->HeightExpr(i + 1, size);
            size << "+vspc";
        }
    }
    size << ";pp(0,0,0,cw,ch);";
    place << "hc=w(0)/2;t1=vspc;";
    for (uint32_t i = 0; i < fDefs.size(); ++i) {
        fDefs[i]->PlaceInColumn(i + 1, place);
        place << "t1=b(";
        WriteLong(i + 1, place);
        place << ")+vspc;";
    }
}
