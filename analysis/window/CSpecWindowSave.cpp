#include "analysis/window/CSpecWindow.h"
#include "analysis/window/DocumentWriter.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "controls/panels/CSaveFileDialog.h"
#include "foundation/text/FileNameText.h"
#include "platform/window/FilePanel.h"
#include "shell/files/FileUrls.h"
#include "ui/dialogs/CSaveChangesDialog.h"
#include "ui/files/CFileTypeList.h"

namespace {

constexpr uint32_t kSaveFailedItem = 15;

} // namespace

bool CSpecWindow::AskSaveChanges()
{
    EnterTypedText();
    if (!IsModified())
        return true;
    CSaveChangesDialog dialog(this, nullptr);
    dialog.SetDocumentName(FileNameOfPath(fDocLocation.GetPathOrName()));
    switch (dialog.Run(0)) {
    case CSaveChangesDialog::kSave: return SaveDocument();
    case CSaveChangesDialog::kDiscard: return true;
    default: return false;
    }
}

bool CSpecWindow::SaveDocument()
{
    const std::string path = DocumentPath();
    return path.empty() ? SaveAs() : Save(path);
}

bool CSpecWindow::SaveAs()
{
    CFileTypeList types("SNXFFMT");
    CSaveFileDialog panel;
    panel.SetFileTypes(&types);
    panel.SetStartPath(fDocLocation.GetSavePath());
    if (!panel.Run())
        return false;
    return Save(std::string(PosixPathFromUrl(panel.GetFile().View()).View()));
}

bool CSpecWindow::Save(const std::string& path)
{
    EnterTypedText();
    if (!WriteDocumentFile(path, fDocument.Root())) {
        ShowWindowMessage(this, kSaveFailedItem, path);
        return false;
    }
    fDocument.SetModified(false);
    const LStringRef location = UrlFromPosixPath(path);
    LObject::SetFilePath(ViewPrefs(), nullptr, kWndsFdfl, location);
    fDocLocation.SetPath(location);
    UpdateTitle();
    return true;
}
