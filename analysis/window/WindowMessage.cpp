#include "analysis/window/WindowMessage.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"

#include <string>

namespace {

constexpr const char* kTextsName = "SNXWIN";
constexpr uint32_t kMessageWindowKind = 0;

} // namespace

LStringRef WindowText(uint32_t item)
{
    return LStrList({0, kTextsName}, nullptr, kStrListDialogTexts).GetItem(item);
}

void ShowWindowMessage(LHandler* parent, uint32_t item, std::string_view detail)
{
    std::string text(WindowText(item).View());
    if (!detail.empty())
        text.append("\n").append(detail);
    CSimpleMessageDialog box(parent, nullptr, ModalWindowDef(kMessageWindowKind));
    (void)box.Run(LStringRef(text), 0, false);
}
