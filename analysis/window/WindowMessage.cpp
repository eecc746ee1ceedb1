#include "analysis/window/WindowMessage.h"
#include "controls/panels/COpenFileDialog.h"
#include "foundation/text/LStrList.h"
#include "platform/window/FilePanel.h"
#include "ui/files/CFileTypeList.h"
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

LStringRef AskFileToOpen(const char* typeList, const LStringRef& startPath)
{
    CFileTypeList types(typeList);
    COpenFileDialog panel;
    panel.SetFileTypes(&types);
    panel.SetStartPath(startPath);
    if (!panel.Run(0))
        return {};
    return panel.GetFile();
}

void ShowWindowMessage(LHandler* parent, uint32_t item, std::string_view detail)
{
    std::string text(WindowText(item).View());
    if (!detail.empty())
        text.append("\n").append(detail);
    CSimpleMessageDialog box(parent, nullptr, ModalWindowDef(kMessageWindowKind));
    (void)box.Run(LStringRef(text), 0, false);
}
