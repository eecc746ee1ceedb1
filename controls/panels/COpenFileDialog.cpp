#include "controls/panels/COpenFileDialog.h"
#include "foundation/text/FileNameText.h"
#include "platform/files/FileSystem.h"
#include "platform/window/FilePanel.h"

#include <algorithm>

namespace {

std::string LastSegment(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Folders whose name carries an extension ("Show.bundle") stand for the system's packages.
bool IsPackage(const std::string& path)
{
    return !FileExtensionLower(LastSegment(path).c_str()).IsEmpty();
}

bool TypeAllowed(const plat::FilePanel& panel, const std::string& path)
{
    const auto& types = panel.AllowedFileTypes();
    if (!types)
        return true;
    const LStringRef extension = FileExtensionLower(LastSegment(path).c_str());
    return std::find(types->begin(), types->end(), std::string(extension.Text())) != types->end();
}

} // namespace

void COpenFileDialog::SetStartPath(const LStringRef& path)
{
    (void)WalkToStart(path, true);
}

bool COpenFileDialog::Run(uint32_t options)
{
    plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(plat::FilePanel::Kind::Open);
    PreparePanel(panel.Get());
    if (options & kPackagesAsFolders)
        panel->SetTreatsPackagesAsDirectories(true);
    panel->SetShowFilter(&COpenFileDialog::ShouldShow);
    return RunPanel(LastSegment(std::string(StartFile().Text()))) == plat::FilePanel::kOK;
}

bool COpenFileDialog::ShouldShow(const plat::FilePanel& panel, const std::string& path)
{
    plat::ItemInfo info;
    if (plat::ReadItemInfo(path, info) != plat::FileResult::Ok)
        return false;
    if (info.isFolder) {
        if (panel.TreatsPackagesAsDirectories() || !IsPackage(path))
            return true;
        return panel.AllowedFileTypes() && TypeAllowed(panel, path);
    }
    return TypeAllowed(panel, path);
}
