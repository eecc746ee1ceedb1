#include "ui/layout/LLayoutScript.h"
#include "foundation/text/LStrList.h"
#include "foundation/core/LStrStream.h"
#include "ui/layout/LLayoutPrelude.h"
#include "ui/layout/LScriptSource.h"
#include "ui/layout/LayoutMath.h"

namespace {

int32_t Arg(const int32_t* args, uint32_t count, uint32_t i)
{
    return i < count ? args[i] : 0;
}

void AppendItem(std::string& source, const LStrListRef& texts, uint32_t i)
{
    const LStringRef item = LStrListRef::GetItem(texts, i);
    source.append(item.Text(), item.Length());
}

} // namespace

LLayoutScript::LLayoutScript(const LLayoutPaneList* children)
    : fTarget(nullptr, children)
{
}

void LLayoutScript::Load(const LStrListRef& texts)
{
    std::string source = LLayoutPrelude::Text(LLayoutPrelude::kScriptItem);
    AppendItem(source, texts, 0);
    source += "PREF#(\n";
    AppendItem(source, texts, 1);
    source += ");\n";
    source += "LAYO#(\n";
    AppendItem(source, texts, 2);
    source += ");\n";

    LScriptSource reader(source);
    Compile(reader);
    LStrStream report;
    reader.ReportError(report);
    fErrorReport.assign(report.View());
    int32_t ignored = 0;
    (void)Call(nullptr, 0, nullptr, ignored); // sets the globals of the prelude and the declarations
}

bool LLayoutScript::RunPref(LPaneContext* context)
{
    fTarget.SetContext(context);
    int32_t ignored = 0;
    return Call("PREF", 0, nullptr, ignored);
}

void LLayoutScript::RunLayout(LPaneContext* context)
{
    fTarget.SetContext(context);
    int32_t ignored = 0;
    (void)Call("LAYO", 0, nullptr, ignored);
}

void LLayoutScript::RegisterBuiltins()
{
    LScript::RegisterBuiltins();
    AddBuiltin("sys", static_cast<LScriptBuiltin>(&LLayoutScript::Sys), 1, 1);
    AddBuiltin("pp", static_cast<LScriptBuiltin>(&LLayoutScript::PlacePane), 5, 5);
    AddBuiltin("shown", static_cast<LScriptBuiltin>(&LLayoutScript::Shown), 1, 1);
    AddBuiltin("wp", static_cast<LScriptBuiltin>(&LLayoutScript::PrefWidth), 1, 2);
    AddBuiltin("hp", static_cast<LScriptBuiltin>(&LLayoutScript::PrefHeight), 1, 2);
    AddBuiltin("w", static_cast<LScriptBuiltin>(&LLayoutScript::Width), 1, 1);
    AddBuiltin("h", static_cast<LScriptBuiltin>(&LLayoutScript::Height), 1, 1);
    AddBuiltin("l", static_cast<LScriptBuiltin>(&LLayoutScript::Left), 1, 1);
    AddBuiltin("t", static_cast<LScriptBuiltin>(&LLayoutScript::Top), 1, 1);
    AddBuiltin("r", static_cast<LScriptBuiltin>(&LLayoutScript::Right), 1, 1);
    AddBuiltin("b", static_cast<LScriptBuiltin>(&LLayoutScript::Bottom), 1, 1);
    AddBuiltin("sqrt", static_cast<LScriptBuiltin>(&LLayoutScript::Sqrt), 1, 1);
}

int32_t LLayoutScript::Sys(const int32_t* args, uint32_t count)
{
    return LLayoutTarget::SystemMetric(Arg(args, count, 0));
}

int32_t LLayoutScript::PlacePane(const int32_t* args, uint32_t count)
{
    const int32_t number = Arg(args, count, 0);
    fTarget.Place(number, CLRect{Arg(args, count, 1), Arg(args, count, 2), Arg(args, count, 3), Arg(args, count, 4)});
    return number;
}

int32_t LLayoutScript::Shown(const int32_t* args, uint32_t count) { return fTarget.Shown(Arg(args, count, 0)); }

int32_t LLayoutScript::PrefWidth(const int32_t* args, uint32_t count)
{
    return fTarget.PrefWidth(Arg(args, count, 0), Arg(args, count, 1));
}

int32_t LLayoutScript::PrefHeight(const int32_t* args, uint32_t count)
{
    return fTarget.PrefHeight(Arg(args, count, 0), Arg(args, count, 1));
}

int32_t LLayoutScript::Width(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Width);
}

int32_t LLayoutScript::Height(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Height);
}

int32_t LLayoutScript::Left(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Left);
}

int32_t LLayoutScript::Top(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Top);
}

int32_t LLayoutScript::Right(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Right);
}

int32_t LLayoutScript::Bottom(const int32_t* args, uint32_t count)
{
    return fTarget.EdgeOf(Arg(args, count, 0), LLayoutTarget::Edge::Bottom);
}

int32_t LLayoutScript::Sqrt(const int32_t* args, uint32_t count)
{
    return LayoutMath::RoundedSqrt(Arg(args, count, 0));
}
