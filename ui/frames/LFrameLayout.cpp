#include "ui/frames/LFrame.h"
#include "shell/windows/CDesktop.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/windows/LWindow.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutScript.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>

namespace {

// Text 0 declares, text 1 computes the preferred rect (pane 0), text 2 places the children.
constexpr uint32_t kDeclarations = 0;
constexpr uint32_t kPreferred = 1;
constexpr uint32_t kPlacement = 2;

// "PREFH" leaves this when it has no height for a width.
constexpr int32_t kNoHeight = -32768;

int32_t ToI32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

void LFrame::SetLayout(const LStrListRef& texts, uint32_t mode)
{
    fLayoutTexts = texts;
    if (mode == kScriptLayout) {
        if (!fLayoutScript)
            fLayoutScript = std::make_unique<LLayoutScript>(this);
        fLayoutScript->Load(fLayoutTexts);
    } else {
        fLayoutScript.reset();
    }
}

bool LFrame::HasLayout() const
{
    return LStrListRef::Count(fLayoutTexts) >= 2;
}

void LFrame::RunLayout(LayoutRun& run)
{
    if (!HasLayout())
        return;
    LPaneContext context = LPaneContext::FromPane(*this);
    if (fLayoutScript)
        RunScript(run, context);
    else
        RunFormula(run, context);
}

void LFrame::RunFormula(LayoutRun& run, LPaneContext& context)
{
    LFormulaLayout layout(&context, this);
    layout.Run(LStrListRef::GetItem(fLayoutTexts, kDeclarations).Get());
    PrepareLayout(context, layout);
    if (run.prefer) {
        layout.Run(LStrListRef::GetItem(fLayoutTexts, kPreferred).Get());
        run.preferred = layout.LayoutRect();
    }
    if (run.growth != Growth::None)
        GrowWindow(run.preferred, run.growth);
    if (run.place) {
        // Pane 0 is the frame in its own coordinates, where its children lie.
        layout.SetLayoutRect({0, 0, ToI32(Rect().Width()), ToI32(Rect().Height())});
        layout.Run(LStrListRef::GetItem(fLayoutTexts, kPlacement).Get());
    }
    if (run.finish)
        FinishLayout(context, layout);
}

void LFrame::RunScript(LayoutRun& run, LPaneContext& context)
{
    LLayoutScript& script = *fLayoutScript;
    PrepareScriptLayout(context, script);
    if (run.prefer) {
        (void)script.RunPref(&context);
        run.preferred = script.LayoutRect();
    }
    if (run.growth != Growth::None)
        GrowWindow(run.preferred, run.growth);
    if (run.place) {
        script.SetLayoutRect({0, 0, ToI32(Rect().Width()), ToI32(Rect().Height())});
        script.RunLayout(&context);
    }
    if (run.finish)
        FinishScriptLayout(context, script);
}

void LFrame::Relayout()
{
    LayoutRun run;
    run.prefer = OwnsWindow();
    run.growth = OwnsWindow() ? Growth::Grow : Growth::None;
    run.place = true;
    RunLayout(run);
}

void LFrame::FitWindowToLayout()
{
    if (!OwnsWindow())
        return;
    LayoutRun run;
    run.prefer = true;
    run.growth = Growth::Exact;
    run.place = true;
    RunLayout(run);
}

// Sizes the window for the preferred rect: an empty frame is placed at the preferred rect; a
// grown window keeps what it has beyond the preferred size, an exact fit takes it exactly.
void LFrame::GrowWindow(const CLRect& preferred, Growth growth)
{
    if (Rect().IsEmpty()) {
        PlaceWindow(preferred, Host());
        return;
    }
    const CLRect content = GetWindowContentRect();
    const int64_t prefW = preferred.Width(), prefH = preferred.Height();
    if (growth == Growth::Exact) {
        SetRect({0, 0, ToI32(prefW), ToI32(prefH)});
        PlaceWindow({content.left, content.top, ToI32(content.left + prefW), ToI32(content.top + prefH)}, nullptr);
        return;
    }
    if (content.Width() >= prefW && content.Height() >= prefH)
        return;
    PlaceWindow({content.left, content.top, ToI32(content.left + std::max(content.Width(), prefW)),
                 ToI32(content.top + std::max(content.Height(), prefH))},
                nullptr);
}

CLRect LFrame::PreferredRect()
{
    LayoutRun run;
    run.prefer = true;
    run.finish = false;
    RunLayout(run);
    return run.preferred;
}

int32_t LFrame::PrefWidth(LPaneContext* context, int32_t hint)
{
    if (!HasLayout())
        return LPane::PrefWidth(context, hint);
    return ToI32(PreferredRect().Width());
}

int32_t LFrame::PrefHeight(LPaneContext* context, int32_t hint)
{
    if (!HasLayout())
        return LPane::PrefHeight(context, hint);
    if (fLayoutScript && hint != 0) {
        int32_t height = kNoHeight;
        const int32_t args[1] = {hint};
        if (fLayoutScript->Call("PREFH", 1, args, height) && height > kNoHeight)
            return height;
        return LPane::PrefHeight(context, hint);
    }
    return ToI32(PreferredRect().Height());
}

void LFrame::PlaceAt(const CLRect& rect)
{
    if (!OwnsWindow()) {
        SetRect(rect);
        return;
    }
    CLRect screen = rect;
    if (Host()) {
        const CLPoint topLeft = ScreenPointOf(*Host(), {rect.left, rect.top});
        screen.Offset(topLeft.x - rect.left, topLeft.y - rect.top);
    }
    CDesktop::SetWindowRectOnScreen(Window(), screen);
    TakeWindowSize();
}

// Negotiates the size with the frame's handlers, then moves the window; the rect is in the
// coordinates of `pane` when one is given, else in screen coordinates.
void LFrame::PlaceWindow(const CLRect& rect, LPane* pane)
{
    if (!OwnsWindow())
        return;
    LWindowPlacer placer(Window(), false);
    LMessage::Send(LMessage(LWindowPlacer::msgGrow, &placer, this));
    placer.width = placer.ClampWidth(ToI32(rect.Width()));
    placer.height = placer.ClampHeight(ToI32(rect.Height()));
    LMessage::Send(LMessage(LWindowPlacer::msgSizing, &placer, this));
    const CLPoint topLeft = pane ? ScreenPointOf(*pane, {rect.left, rect.top}) : CLPoint{rect.left, rect.top};
    const CLRect content{topLeft.x, topLeft.y, ToI32(int64_t(topLeft.x) + placer.width),
                         ToI32(int64_t(topLeft.y) + placer.height)};
    CDesktop::SetWindowRectOnScreen(Window(), content);
    TakeWindowSize();
}
