#include "ui/dialogs/DialogLayout.h"
#include "ui/frames/LFrame.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"
#include "ui/windows/LWindow.h"
#include "platform/draw/Font.h"
#include "platform/values/ValueRef.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cmath>

namespace {

// Window managers draw titles in a bold face of about this size, and give the frame's icon
// and buttons about this much room beside it.
constexpr double kTitleFontSize = 12.0;
constexpr int32_t kTitleBarButtons = 110;

} // namespace

int32_t TitleBarWidth(const std::string& title)
{
    if (title.empty())
        return 0;
    const plat::Ref<plat::Font> font =
        plat::Ref<plat::Font>::Adopt(plat::Font::Open("DejaVu Sans", kTitleFontSize, true, false, nullptr));
    if (!font)
        return 0;
    return int32_t(std::ceil(font->Advance(title))) + kTitleBarButtons;
}

void PlaceDialogByTexts(LFrame& dialog, std::string_view declarations, std::string_view size,
                        std::string_view placement, const std::function<void(LFormula&)>& prepare)
{
    LPaneContext context = LPaneContext::FromPane(dialog);
    LFormulaLayout layout(&context, &dialog);
    layout.Run(declarations);
    if (prepare)
        prepare(layout);
    layout.Run(size);
    CLRect placed = layout.LayoutRect();
    if (const plat::Window* window = dialog.Window() ? dialog.Window()->Native() : nullptr) {
        placed.right = std::max(placed.right, placed.left + TitleBarWidth(window->Title()));
        layout.SetLayoutRect(placed);
    }
    layout.Run(placement);
    dialog.PlaceAt(placed);
}
