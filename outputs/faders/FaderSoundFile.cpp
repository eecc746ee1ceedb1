#include "outputs/faders/FaderSoundFile.h"

#include "foundation/text/LUrl.h"
#include "foundation/text/UrlSegments.h"
#include "outputs/defs/DefinitionFiles.h"
#include "platform/files/FileSystem.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LStdFolders.h"

namespace {

bool IsFile(const std::string& path)
{
    plat::ItemInfo info;
    return !path.empty() && plat::ReadItemInfo(path, info) == plat::FileResult::Ok && !info.isFolder;
}

// A plain file name: no folder part, and not a name that would climb out of the folder.
bool IsPlainName(const std::string& name)
{
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

std::string FromDocuments(const std::string& url)
{
    const LStringRef base = LStdFolders::Find(LStdFolders::kDocuments);
    LUrl resolved(url.c_str());
    resolved.Resolve(LUrl(base.Text()), LUrl::BaseKind::Folder);
    LStringRef fileSpec;
    if (!FileSpecFromUrl(resolved.ToString().View(), fileSpec, false))
        return {};
    return std::string(PosixPathFromUrl(fileSpec.View()).View());
}

} // namespace

std::string FindFaderSound(const std::string& name, const std::string& url)
{
    if (IsPlainName(name)) {
        const std::string sounds = SharedSupportPath("sounds");
        const std::string path = sounds.empty() ? std::string() : sounds + "/" + name;
        if (IsFile(path))
            return path;
    }
    if (url.empty() || UrlFileName(url.c_str()).View() != name)
        return {};
    const std::string path = FromDocuments(url);
    return IsFile(path) ? path : std::string();
}
