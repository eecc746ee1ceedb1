#include "outputs/consoles/CMIDICONSOLE.h"

#include "foundation/core/StrEqual.h"
#include "outputs/consoles/ConsoleParts.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/frames/LWindowPlacer.h"

#include <algorithm>
#include <cstdint>

const char* const CMIDICONSOLE::kResName = "CMIDICONSOLE";

namespace {

// Row titles are right-aligned towards the columns; a click selects nothing.
constexpr uint32_t kTitleAlignment = 2;

} // namespace

CMIDICONSOLE::CMIDICONSOLE(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* table)
    : LFrame(parent, nullptr, def), fHeader(this, kTitleAlignment, false, false),
      fNavi(this, LListNavi::kHorizontalBar, false), fList(&fNavi, holder, table)
{
    SetUpConsoleFrame(*this, fNavi, fList, kResName);
    fList.SetRowHeader(&fHeader);
}

CMIDICONSOLE::~CMIDICONSOLE()
{
    fList.SetRowHeader(nullptr);
}

void CMIDICONSOLE::SetDefinitions(const CDefNode* controls)
{
    fList.SetDefinitions(controls);
    FitWindowToLayout();
}

void CMIDICONSOLE::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LWindowPlacer::msgGrow)) {
        if (auto* placer = dynamic_cast<LWindowPlacer*>(msg.subject)) {
            // As wide as the columns need and no wider; any height from the preferred one up.
            const int32_t width = PrefWidth(nullptr, 0);
            const int32_t height = PrefHeight(nullptr, 0);
            placer->SetLimits(width, height, width, placer->maxHeight);
            LMessage::Clear(result);
            return;
        }
    }
    LFrame::HandleMessage(result, msg);
}

void CMIDICONSOLE::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    const int64_t width = int64_t(fNavi.PrefWidth(&context, 0)) + int64_t(fList.Columns() - 1) * fList.CellWidth();
    (void)layout.SetVariable("naviw", int32_t(std::min<int64_t>(width, INT32_MAX)));
}

// The titles start where the list's cells start, so that each lies level with its control.
void CMIDICONSOLE::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    const CLRect& header = fHeader.Rect();
    const int32_t listTop = fList.OriginIn(this).y;
    if (header.top != listTop && listTop < header.bottom)
        fHeader.SetRect({header.left, listTop, header.right, header.bottom});
}
