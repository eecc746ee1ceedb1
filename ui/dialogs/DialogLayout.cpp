#include "ui/dialogs/DialogLayout.h"
#include "ui/frames/LFrame.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"

void PlaceDialogByTexts(LFrame& dialog, std::string_view declarations, std::string_view size,
                        std::string_view placement, const std::function<void(LFormula&)>& prepare)
{
    LPaneContext context = LPaneContext::FromPane(dialog);
    LFormulaLayout layout(&context, &dialog);
    layout.Run(declarations);
    if (prepare)
        prepare(layout);
    layout.Run(size);
    const CLRect placed = layout.LayoutRect();
    layout.Run(placement);
    dialog.PlaceAt(placed);
}
