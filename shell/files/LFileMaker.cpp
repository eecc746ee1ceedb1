#include "shell/files/LFileMaker.h"
#include "foundation/text/FileNameText.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"

#include <string>

namespace {

// Mode 2 gives up after this many numbered names rather than loop without end.
constexpr uint32_t kMaxNumberedNames = 100000;

uint32_t ExistingItemResult(const std::string& path, bool folder)
{
    plat::ItemInfo info;
    const plat::FileResult read = plat::ReadItemInfo(path, info);
    if (folder)
        return read == plat::FileResult::Ok && info.isFolder ? 0 : 3;
    return read == plat::FileResult::Ok && info.isFolder ? 3 : 0;
}

} // namespace

uint32_t LFileMaker::MakeFile(std::string_view fileSpec, uint32_t mode, unsigned permissions)
{
    return Make(fileSpec, mode, false, permissions);
}

uint32_t LFileMaker::MakeFolder(std::string_view fileSpec, uint32_t mode) { return Make(fileSpec, mode, true, 0); }

uint32_t LFileMaker::Make(std::string_view fileSpec, uint32_t mode, bool folder, unsigned permissions)
{
    url = LStringRef(std::string_view(plat::ToFileSpec(fileSpec)));
    const LStringRef given = url;
    for (uint32_t number = 2;; ++number) {
        const std::string path = plat::PosixPathFromSpec(url.View());
        if (path.empty())
            return status = 2;
        const plat::FileResult made =
            folder ? plat::CreateFolder(path) : plat::CreateFileExclusive(path, permissions);
        switch (made) {
        case plat::FileResult::Ok: return status = 0;
        case plat::FileResult::NotFound:
        case plat::FileResult::BadPath: return status = 2;
        case plat::FileResult::Exists: break;
        default: return status = 1;
        }
        if (mode == kFailIfExists)
            return status = 3;
        if (mode != kChooseNewName)
            return status = ExistingItemResult(path, folder);
        if (number > kMaxNumberedNames)
            return status = 1;
        url = given;
        NumberedFileName(url, int32_t(number));
    }
}
