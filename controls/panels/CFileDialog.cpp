#include "controls/panels/CFileDialog.h"
#include "controls/panels/CPanelAccessoryPane.h"
#include "ui/panes/LPaneContext.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/UrlSegments.h"
#include "platform/files/FileSystem.h"
#include "platform/window/FilePanel.h"
#include "shell/files/FileUrls.h"
#include "ui/files/CFileTypeList.h"

#include <algorithm>
#include <optional>

namespace {

// Walks at most this many folders up: a path cannot be deeper than the limit of its length.
constexpr int kMaxWalk = 4096;

bool ItemExists(const LStringRef& location, bool* isFolder = nullptr)
{
    plat::ItemInfo info;
    const bool exists = plat::ReadItemInfo(PosixPathFromUrl(location.Text()).Text(), info) == plat::FileResult::Ok;
    if (isFolder)
        *isFolder = exists && info.isFolder;
    return exists;
}

std::string FourCCText(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text.push_back(char((code >> shift) & 0xFF));
    return text;
}

} // namespace

CFileDialog::CFileDialog() = default;

CFileDialog::~CFileDialog()
{
    if (fPanel)
        fPanel->SetAccessoryView(nullptr);
    fTypePopup.reset();
    fAccessory.reset();
}

void CFileDialog::SetFileTypes(CFileTypeList* list)
{
    fFileTypes = list;
    fTypeNames.clear();
    const uint32_t count = list ? list->Count() : 0;
    for (uint32_t i = 0; i < count; i++) {
        const LStringRef name = list->GetName(i);
        fTypeNames.push_back(name.IsEmpty() ? FourCCText(list->GetType(i)) : std::string(name.Text()));
    }
}

void CFileDialog::SetAccessoryHook(void* argument, AccessoryHook hook)
{
    fHookArgument = argument;
    fHook = hook;
}

LStringRef CFileDialog::GetFile() const
{
    if (!fPanel || fPanel->Path().empty())
        return LStringRef();
    LStringRef location;
    if (!FileSpecFromUrl(fPanel->Path(), location, false))
        return LStringRef();
    return location;
}

LStringRef CFileDialog::WalkToStart(const LStringRef& path, bool setStartFile)
{
    LStringRef current = path;
    LStringRef firstSegment;
    for (int step = 0; step < kMaxWalk; step++) {
        LStringRef location;
        if (!FileSpecFromUrl(current.Text(), location, false))
            break;
        LStringRef segment;
        const LStringRef parent = UrlSplitLastSegment(location.Text(), segment);
        if (step == 0)
            firstSegment = segment;
        bool folder = false;
        if (ItemExists(location, &folder)) {
            // A folder given as the start is opened, not shown selected in the one above it;
            // a folder with an extension is a document package and stays a file.
            if (step > 0 || (folder && FileExtensionLower(segment.Text()).IsEmpty())) {
                fStartDirectory = location;
            } else {
                LStringRef folder;
                if (!parent.IsEmpty() && FileSpecFromUrl(parent.Text(), folder, false))
                    fStartDirectory = folder;
                if (setStartFile)
                    fStartFile = path;
            }
            break;
        }
        if (parent.IsEmpty() || StrEqual(parent.Text(), current.Text()))
            break;
        current = parent;
    }
    ChooseTypeNamed(FileExtensionLower(firstSegment.Text()));
    return firstSegment;
}

int32_t CFileDialog::FindType(const LStringRef& name) const
{
    const uint32_t count = fFileTypes ? fFileTypes->Count() : 0;
    for (uint32_t i = 0; i < count; i++) {
        const LStringRef entry = fFileTypes->GetName(i);
        if (StrEqual(entry.Text(), name.Text()) || StrEqual(entry.Text(), "*"))
            return int32_t(i);
    }
    return -1;
}

void CFileDialog::ChooseTypeNamed(const LStringRef& name)
{
    const int32_t index = FindType(name);
    if (index >= 0)
        fChosenType.InitType(fFileTypes->GetType(uint32_t(index)), fFileTypes->GetCreator(uint32_t(index)),
                             fFileTypes->GetName(uint32_t(index)));
}

int32_t CFileDialog::SelectedTypeIndex() const
{
    if (fChosenType.any)
        return 0;
    const int32_t index = FindType(fChosenType.name);
    return index < 0 ? 0 : index;
}

void CFileDialog::ApplyFileType(int32_t index)
{
    if (!fFileTypes || index < 0 || uint32_t(index) >= fFileTypes->Count())
        return;
    const LStringRef name = fFileTypes->GetName(uint32_t(index));
    if (fPanel) {
        if (name.IsEmpty() || StrEqual(name.Text(), "*"))
            fPanel->SetAllowedFileTypes(std::nullopt);
        else
            fPanel->SetAllowedFileTypes(std::vector<std::string>{name.Text()});
    }
    ChooseTypeNamed(name);
}

void CFileDialog::PreparePanel(plat::FilePanel* panel)
{
    fPanel = plat::Ref<plat::FilePanel>(panel);
    panel->SetMessage(fMessage.Text());
    panel->SetTreatsPackagesAsDirectories(fPackagesAsFolders != 0);
    fTypePopup.reset();
    fAccessory = std::make_unique<CPanelAccessoryPane>(panel, this);
    if (fFileTypes && fFileTypes->Count() > 0)
        AddTypePopup();
    if (fHook)
        fHook(fHookArgument, fAccessory.get());
    StackAccessory();
    if (!fAccessory->Rect().IsEmpty())
        panel->SetAccessoryView(fAccessory->EmbeddedView());
}

void CFileDialog::AddTypePopup()
{
    fTypePopup = std::make_unique<CFileTypePopupPane>(fAccessory.get(), this, fFileTypes);
    LPopupList& popup = fTypePopup->Popup();
    for (uint32_t i = 0; i < fFileTypes->Count(); i++)
        popup.AddItem(std::string(fFileTypes->GetLabel(i).View()));
    LPaneContext context = LPaneContext::FromPane(popup);
    const int32_t width = popup.PrefWidth(&context, 0);
    const int32_t height = popup.PrefHeight(&context, 0);
    popup.SetRect(CLRect{10, 10, 10 + width, 10 + height});
    fTypePopup->SetRect(CLRect{0, 0, width + 20, height + 20});
    const int32_t selected = SelectedTypeIndex();
    (void)popup.SetSelection(selected);
    ApplyFileType(selected);
}

void CFileDialog::StackAccessory()
{
    int32_t bottom = 0, widest = 0;
    for (SSLink* link : fAccessory->Children()) {
        auto* pane = static_cast<LPane*>(link);
        const CLRect r = pane->Rect();
        pane->SetRect(CLRect{0, bottom, int32_t(r.Width()), bottom + int32_t(r.Height())});
        bottom += int32_t(r.Height());
        widest = std::max(widest, int32_t(r.Width()));
    }
    fAccessory->SetRect(CLRect{0, 0, widest, bottom});
}

int CFileDialog::RunPanel(const std::string& fileName)
{
    const int answer = fPanel->RunModal(PosixPathFromUrl(fStartDirectory.Text()).Text(), fileName);
    fAccepted = answer == plat::FilePanel::kOK ? 1 : 0;
    return answer;
}
