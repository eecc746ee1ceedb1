#include "shell/files/LFileSpec.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

LFileSpec::LFileSpec(std::string_view fileSpec, bool enumerate) : fEnumerate(enumerate), fSpec(fileSpec)
{
    Begin(fileSpec, enumerate);
}

LStringRef LFileSpec::GetUrl() const
{
    if (!fEnumerate)
        return fSpec;
    if (CurrentPath().empty())
        return LStringRef();
    return LStringRef(std::string_view(plat::SpecFromPosixPath(CurrentPath())));
}

void LFileSpec::Next()
{
    if (!fEnumerate) {
        // Not enumerating: there is no following entry.
        LFileInfo::Next();
        return;
    }
    if (Status() == kValid)
        LFileInfo::Next();
}

void LFileSpec::ResolveAlias(LAliasResult& result, std::string_view fileSpec)
{
    result.status = 0;
    result.wasAlias = false;
    result.url = LStringRef(fileSpec);
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    if (path.empty()) {
        result.status = 2;
        return;
    }
    plat::ItemInfo info;
    if (const plat::FileResult read = plat::ReadItemInfo(path, info); read != plat::FileResult::Ok) {
        result.status = read == plat::FileResult::NotFound ? 3 : 1;
        return;
    }
    if (!info.isLink)
        return;
    result.wasAlias = true;
    char target[PATH_MAX];
    if (!realpath(path.c_str(), target)) {
        result.status = errno == ENOENT ? 3 : 1;
        return;
    }
    result.url = LStringRef(std::string_view(plat::SpecFromPosixPath(target)));
}
