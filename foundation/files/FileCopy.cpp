#include "foundation/files/FileCopy.h"
#include "foundation/streams/CForkStream.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LFileMaker.h"
#include "shell/files/LFileRemover.h"
#include "shell/files/LFileSpec.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr uint64_t kMaxCopyBuffer = 1048576;
constexpr uint64_t kMinCopyBuffer = 16;
// Folders nested deeper than this are not copied.
constexpr int kMaxCopyDepth = 1024;

void Keep(uint32_t& result, uint32_t code)
{
    if (result == 0)
        result = code;
}

// True when `inner` is `outer` or lies inside it, after resolving links on the way.
bool IsSameOrInside(std::string_view outer, std::string_view inner)
{
    const std::string outerPath = plat::RealPathOfPrefix(plat::PosixPathFromSpec(outer));
    const std::string innerPath = plat::RealPathOfPrefix(plat::PosixPathFromSpec(inner));
    if (outerPath.empty() || innerPath.empty())
        return false;
    if (outerPath == "/" || innerPath == outerPath)
        return true;
    return innerPath.size() > outerPath.size() && innerPath.compare(0, outerPath.size(), outerPath) == 0
        && innerPath[outerPath.size()] == '/';
}

void CopyEntry(const LFileSpec& entry, std::string_view child)
{
    const LStringRef source = entry.GetUrl();
    plat::ItemInfo info;
    if (plat::ReadItemInfo(entry.CurrentPath(), info) == plat::FileResult::Ok && info.isLink) {
        (void)plat::CopyLink(entry.CurrentPath(), plat::PosixPathFromSpec(child));
        return;
    }
    LFileMaker maker;
    maker.MakeFile(child, LFileMaker::kAcceptExisting);
    uint32_t result = 0;
    CopyForks(result, source.View(), child);
    CopyFileMetadata(result, source.View(), child);
}

uint32_t CopyFolderTree(std::string_view source, std::string_view destination, int depth)
{
    if (depth >= kMaxCopyDepth)
        return 1;
    LFileMaker maker;
    if (maker.MakeFolder(destination, LFileMaker::kAcceptExisting) != 0)
        return 3;
    for (LFileSpec entry(source, true); entry.Status() == LFileInfo::kValid; entry.Next()) {
        LFileUrlResult child;
        AppendUrlName(child, destination, entry.GetName().View());
        RemoveTree(child.url.View());
        plat::ItemInfo info;
        (void)plat::ReadItemInfo(entry.CurrentPath(), info);
        if (info.isFolder) {
            if (const uint32_t result = CopyFolderTree(entry.GetUrl().View(), child.url.View(), depth + 1); result != 0)
                return result;
        } else {
            CopyEntry(entry, child.url.View());
        }
    }
    return 0;
}

} // namespace

uint32_t CopyFileOrFolder(std::string_view source, std::string_view destination)
{
    LFileSpec item(source, false);
    if (item.Status() != LFileInfo::kValid)
        return 2;
    if (item.IsDirectory()) {
        const uint32_t result = CopyFolderContents(source, destination);
        return result >= 4 ? 1 : result;
    }
    LFileMaker maker;
    maker.MakeFile(destination, LFileMaker::kAcceptExisting);
    uint32_t result = 0;
    CopyForks(result, source, destination);
    switch (result) {
    case 0: {
        uint32_t ignored = 0;
        CopyFileMetadata(ignored, source, destination);
        return 0;
    }
    case 3:
    case 5: return 2;
    case 8: return 3;
    default: return 1;
    }
}

uint32_t CopyFolderContents(std::string_view source, std::string_view destination)
{
    if (IsSameOrInside(source, destination))
        return 1;
    return CopyFolderTree(source, destination, 0);
}

void CopyForks(uint32_t& result, std::string_view source, std::string_view destination)
{
    const uint32_t code = CopyFileStream(source, destination, 0);
    Keep(result, code);
    if (code == 0)
        (void)CopyFileStream(source, destination, CForkStream::kResourceFork);
}

uint32_t CopyFileStream(std::string_view source, std::string_view destination, uint32_t forkFlags)
{
    CForkStream in(source, LStream::kReadOnly, forkFlags);
    if (in.Error() != LStream::kNoError)
        return in.Error() == LStream::kOpenFailed ? 3 : 5;
    CForkStream out(destination, LStream::kReadWrite, forkFlags);
    if (out.Error() != LStream::kNoError)
        return out.Error() == LStream::kOpenFailed ? 4 : 6;
    const uint64_t size = in.GetSize();
    in.SetPosition(0);
    const uint64_t bufferSize = std::max(kMinCopyBuffer, std::min(size, kMaxCopyBuffer));
    const auto buffer = std::make_unique<uint8_t[]>(bufferSize);
    for (;;) {
        uint64_t count = bufferSize;
        in.Read(buffer.get(), &count);
        out.Write(buffer.get(), count);
        if (count != bufferSize || in.Error() != LStream::kNoError || out.Error() != LStream::kNoError)
            break;
    }
    out.SetEOF();
    if (in.Error() != LStream::kNoError)
        return 7;
    if (out.Error() != LStream::kNoError)
        return 8;
    return 0;
}

void CopyFileMetadata(uint32_t& result, std::string_view source, std::string_view destination)
{
    LFileSpec from(source, false);
    if (from.Status() != LFileInfo::kValid || from.IsDirectory()) {
        Keep(result, 3);
        return;
    }
    LFileSpec to(destination, false);
    if (to.Status() != LFileInfo::kValid || to.IsDirectory()) {
        Keep(result, 4);
        return;
    }
    to.SetVisible(!from.IsHidden());
    to.SetCreationTime(from.GetCreationTime());
    to.SetModificationTime(from.GetModificationTime());
    to.SetCreatorCode(from.GetCreatorCode());
    to.SetTypeCode(from.GetTypeCode());
    to.CommitAttributes();
    if (to.Status() != LFileInfo::kValid)
        Keep(result, 8);
}
