#include "outputs/consoles/CDMXCONSOLE.h"

#include "outputs/consoles/ConsoleParts.h"
#include "ui/layout/LFormulaLayout.h"

const char* const CDMXCONSOLE::kResName = "CDMXCONSOLE";

namespace {

// How many channels the window shows at first.
constexpr int32_t kShownChannels = 24;

} // namespace

CDMXCONSOLE::CDMXCONSOLE(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* record,
                         uint8_t field)
    : LFrame(parent, nullptr, def), fNavi(this, LListNavi::kHorizontalBar, false),
      fList(&fNavi, holder, record, field)
{
    SetUpConsoleFrame(*this, fNavi, fList, kResName);
    // The cells take the prototype's size before the window is fitted around them.
    fList.PrototypeCell();
    FitWindowToLayout();
}

void CDMXCONSOLE::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    (void)layout.SetVariable("naviw", fNavi.PrefWidth(&context, 0) + (kShownChannels - 1) * fList.CellWidth());
}
