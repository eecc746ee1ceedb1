#include "controls/panels/CSaveFileDialog.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/UrlSegments.h"
#include "platform/window/FilePanel.h"
#include "ui/files/CFileTypeList.h"

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
    // NOTE: the Edit menu still serves the program while the panel's name field edits; the
    // panel model has no field of its own yet.
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    PreparePanel(panel.Get());
    LStringRef name = fDefaultName;
    if (name.IsEmpty())
        (void)UrlSplitLastSegment(StartFile().Text(), name);
    return RunPanel(name.Text()) == plat::FilePanel::kOK;
}
