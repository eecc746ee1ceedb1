#include "platform/files/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr const char* kTypeAttribute = "user.sonalyx.type";
constexpr const char* kCreatorAttribute = "user.sonalyx.creator";

double ToReferenceSeconds(const struct timespec& ts)
{
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9 - kReferenceDateOffset;
}

bool IsHiddenName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    return start < path.size() && path[start] == '.';
}

uint32_t ReadCode(const std::string& path, const char* attribute)
{
    unsigned char bytes[4] = {};
    if (lgetxattr(path.c_str(), attribute, bytes, sizeof bytes) != 4)
        return 0;
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

FileResult WriteCode(const std::string& path, const char* attribute, uint32_t code)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(code >> 24), static_cast<unsigned char>(code >> 16),
                                    static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code)};
    if (lsetxattr(path.c_str(), attribute, bytes, sizeof bytes, 0) == 0)
        return FileResult::Ok;
    return ResultFromErrno(errno);
}

} // namespace

FileResult ResultFromErrno(int error)
{
    switch (error) {
    case 0: return FileResult::Ok;
    case ENOENT: return FileResult::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return FileResult::BadPath;
    case EEXIST: return FileResult::Exists;
    case EISDIR: return FileResult::IsFolder;
    case ENOTEMPTY: return FileResult::NotEmpty;
    case EACCES:
    case EPERM:
    case EROFS: return FileResult::Denied;
    case ENOSPC:
    case EDQUOT: return FileResult::NoSpace;
    case ENOTSUP: return FileResult::Unsupported;
    default: return FileResult::Failed;
    }
}

const char* FileResultText(FileResult result)
{
    switch (result) {
    case FileResult::Ok: return "no error";
    case FileResult::NotFound: return "no such file";
    case FileResult::BadPath: return "the path names no file (a missing folder on the way, or a link loop)";
    case FileResult::Exists: return "it exists already";
    case FileResult::IsFolder: return "it is a folder";
    case FileResult::NotFolder: return "it is not a folder";
    case FileResult::NotEmpty: return "the folder is not empty";
    case FileResult::Denied: return "permission denied";
    case FileResult::NoSpace: return "the disk is full";
    case FileResult::Unsupported: return "the file system does not support it";
    case FileResult::IsPipe: return "it is a named pipe, not a file";
    case FileResult::IsSocket: return "it is a socket, not a file";
    case FileResult::IsDevice: return "it is a device, not a file";
    case FileResult::Failed: break;
    }
    return "it cannot be read";
}

FileResult ReadItemInfo(const std::string& path, ItemInfo& info)
{
    info = ItemInfo{};
    if (path.empty())
        return FileResult::BadPath;
    struct statx st {};
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
        return ResultFromErrno(errno);
    info.isFolder = S_ISDIR(st.stx_mode);
    info.isLink = S_ISLNK(st.stx_mode);
    info.hidden = IsHiddenName(path);
    info.size = st.stx_size;
    const struct timespec modified{st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec};
    info.modificationTime = ToReferenceSeconds(modified);
    const struct statx_timestamp& created = (st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_ctime;
    info.creationTime = ToReferenceSeconds(timespec{created.tv_sec, created.tv_nsec});
    return FileResult::Ok;
}

namespace {

std::atomic<ListFolderFailure> gListFailure{nullptr};

} // namespace

void SetListFolderFailure(ListFolderFailure hook)
{
    gListFailure = hook;
}

FileResult ListFolder(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    if (const ListFolderFailure hook = gListFailure.load()) {
        const FileResult failure = hook(path);
        if (failure != FileResult::Ok)
            return failure;
    }
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return ResultFromErrno(errno);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return FileResult::Ok;
}

FileResult CreateFileExclusive(const std::string& path, unsigned mode)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0)
        return ResultFromErrno(errno);
    close(fd);
    return FileResult::Ok;
}

FileResult CreateFolder(const std::string& path)
{
    return mkdir(path.c_str(), 0777) == 0 ? FileResult::Ok : ResultFromErrno(errno);
}

FileResult RemoveFileItem(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return ResultFromErrno(errno);
    if (S_ISDIR(st.st_mode))
        return FileResult::IsFolder;
    return unlink(path.c_str()) == 0 ? FileResult::Ok : ResultFromErrno(errno);
}

FileResult RemoveFolderItem(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return ResultFromErrno(errno);
    if (!S_ISDIR(st.st_mode))
        return FileResult::NotFolder;
    if (rmdir(path.c_str()) == 0)
        return FileResult::Ok;
    return errno == EEXIST ? FileResult::NotEmpty : ResultFromErrno(errno);
}

FileResult CopyLink(const std::string& source, const std::string& destination)
{
    std::string target(4096, '\0');
    const ssize_t length = readlink(source.c_str(), target.data(), target.size());
    if (length < 0)
        return ResultFromErrno(errno);
    if (size_t(length) >= target.size())
        return FileResult::BadPath;
    target.resize(size_t(length));
    return symlink(target.c_str(), destination.c_str()) == 0 ? FileResult::Ok : ResultFromErrno(errno);
}

std::string RealPathOfPrefix(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return {};
    std::string head = path;
    std::string tail;
    for (;;) {
        const std::string probe = head.empty() ? std::string("/") : head;
        if (char* real = realpath(probe.c_str(), nullptr)) {
            std::string resolved(real);
            free(real);
            if (resolved == "/")
                return tail.empty() ? resolved : tail;
            return resolved + tail;
        }
        if (head.empty())
            return {};
        const size_t slash = head.find_last_of('/');
        tail = head.substr(slash) + tail;
        head.resize(slash);
    }
}

FileResult SetModificationTime(const std::string& path, double secondsSinceReference)
{
    const double unixSeconds = secondsSinceReference + kReferenceDateOffset;
    if (!(unixSeconds >= 0 && unixSeconds < 1e15))
        return FileResult::Failed;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(unixSeconds);
    times[1].tv_nsec = std::min(999999999L, static_cast<long>((unixSeconds - double(times[1].tv_sec)) * 1e9));
    if (utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0)
        return FileResult::Ok;
    return ResultFromErrno(errno);
}

uint32_t ReadTypeCode(const std::string& path) { return ReadCode(path, kTypeAttribute); }
uint32_t ReadCreatorCode(const std::string& path) { return ReadCode(path, kCreatorAttribute); }

FileResult WriteTypeCode(const std::string& path, uint32_t code)
{
    return WriteCode(path, kTypeAttribute, code);
}

FileResult WriteCreatorCode(const std::string& path, uint32_t code)
{
    return WriteCode(path, kCreatorAttribute, code);
}

} // namespace plat
