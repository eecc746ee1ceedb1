#include "controls/panels/CSaveFileDialog.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/UrlSegments.h"
#include "platform/window/FilePanel.h"
#include "ui/files/CFileTypeList.h"
#include "ui/menus/LEditMenuBridge.h"

void CSaveFileDialog::SetFileTypes(CFileTypeList* list)
{
    CFileDialog::SetFileTypes(list);
    if (list && list->Count() > 0) {
        fSaveType.InitType(list->GetType(0), list->GetCreator(0), list->GetName(0));
        fChosenType = fSaveType;
    }
}

void CSaveFileDialog::SetStartPath(const LStringRef& path)
{
    (void)WalkToStart(path, false);
    fDefaultName = FileNameOfPath(path);
}

bool CSaveFileDialog::Run()
{
    // Cut, Copy and Paste of the Edit menu work in the panel's name field while it runs.
    LEditMenuBridge editMenu;
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    PreparePanel(panel.Get());
    LStringRef name = fDefaultName;
    if (name.IsEmpty())
        (void)UrlSplitLastSegment(StartFile().Text(), name);
    return RunPanel(name.Text()) == plat::FilePanel::kOK;
}
