#include "shell/files/LFileRemover.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"
#include "shell/files/LFileSpec.h"

#include <string>
#include <vector>

namespace {

// Folders nested deeper than this are not removed (the path limit keeps real trees far below).
constexpr int kMaxTreeDepth = 1024;

uint32_t RemovedStatus(plat::FileResult result)
{
    switch (result) {
    case plat::FileResult::Ok: return 0;
    case plat::FileResult::NotFound:
    case plat::FileResult::BadPath: return 2;
    default: return 1;
    }
}

uint32_t RemovePathTree(const std::string& path, int depth)
{
    plat::ItemInfo info;
    if (plat::ReadItemInfo(path, info) != plat::FileResult::Ok)
        return 2;
    if (!info.isFolder)
        return plat::RemoveFileItem(path) == plat::FileResult::Ok ? 0 : 1;
    if (depth >= kMaxTreeDepth)
        return 1;
    std::vector<std::string> names;
    if (plat::ListFolder(path, names) != plat::FileResult::Ok)
        return 1;
    const std::string prefix = path == "/" ? std::string() : path;
    for (const std::string& name : names) {
        if (const uint32_t result = RemovePathTree(prefix + "/" + name, depth + 1); result != 0)
            return result == 2 ? 1 : result;
    }
    return plat::RemoveFolderItem(path) == plat::FileResult::Ok ? 0 : 1;
}

} // namespace

uint32_t LFileRemover::RemoveFile(std::string_view fileSpec)
{
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    plat::ItemInfo info;
    if (path.empty() || plat::ReadItemInfo(path, info) != plat::FileResult::Ok)
        return status = 2;
    if (info.isFolder)
        return status = 1;
    return status = RemovedStatus(plat::RemoveFileItem(path));
}

uint32_t LFolderRemover::RemoveFolder(std::string_view fileSpec)
{
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    plat::ItemInfo info;
    if (path.empty() || plat::ReadItemInfo(path, info) != plat::FileResult::Ok)
        return status = 2;
    if (!info.isFolder)
        return status = 1;
    return status = plat::RemoveFolderItem(path) == plat::FileResult::Ok ? 0 : 1;
}

uint32_t RemoveTree(std::string_view fileSpec)
{
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    if (path.empty())
        return 2;
    return RemovePathTree(path, 0);
}

bool SetFileTypeAndCreator(std::string_view fileSpec, uint32_t type, uint32_t creator)
{
    LFileSpec item(fileSpec, false);
    item.SetTypeCode(type);
    item.SetCreatorCode(creator);
    item.CommitAttributes();
    return item.Status() == LFileInfo::kValid;
}
