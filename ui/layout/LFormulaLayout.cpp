#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutPrelude.h"

LFormulaLayout::LFormulaLayout(LPaneContext* context, const LLayoutPaneList* children)
    : fTarget(context, children)
{
    AddBuiltin("sys", static_cast<Builtin>(&LFormulaLayout::Sys));
    AddBuiltin("pp", static_cast<Builtin>(&LFormulaLayout::PlacePane));
    AddBuiltin("shown", static_cast<Builtin>(&LFormulaLayout::Shown));
    AddBuiltin("wp", static_cast<Builtin>(&LFormulaLayout::PrefWidth));
    AddBuiltin("hp", static_cast<Builtin>(&LFormulaLayout::PrefHeight));
    AddBuiltin("w", static_cast<Builtin>(&LFormulaLayout::Width));
    AddBuiltin("h", static_cast<Builtin>(&LFormulaLayout::Height));
    AddBuiltin("l", static_cast<Builtin>(&LFormulaLayout::Left));
    AddBuiltin("t", static_cast<Builtin>(&LFormulaLayout::Top));
    AddBuiltin("r", static_cast<Builtin>(&LFormulaLayout::Right));
    AddBuiltin("b", static_cast<Builtin>(&LFormulaLayout::Bottom));
    LLayoutPrelude::Install(*this);
}

int32_t LFormulaLayout::Sys() { return LLayoutTarget::SystemMetric(GetArg(0)); }

int32_t LFormulaLayout::PlacePane()
{
    fTarget.Place(GetArg(0), CLRect{GetArg(1), GetArg(2), GetArg(3), GetArg(4)});
    return 0;
}

int32_t LFormulaLayout::Shown() { return fTarget.Shown(GetArg(0)); }
int32_t LFormulaLayout::PrefWidth() { return fTarget.PrefWidth(GetArg(0), GetArg(1)); }
int32_t LFormulaLayout::PrefHeight() { return fTarget.PrefHeight(GetArg(0), GetArg(1)); }
int32_t LFormulaLayout::Width() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Width); }
int32_t LFormulaLayout::Height() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Height); }
int32_t LFormulaLayout::Left() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Left); }
int32_t LFormulaLayout::Top() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Top); }
int32_t LFormulaLayout::Right() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Right); }
int32_t LFormulaLayout::Bottom() { return fTarget.EdgeOf(GetArg(0), LLayoutTarget::Edge::Bottom); }
