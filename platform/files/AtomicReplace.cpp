#include "platform/files/AtomicReplace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileResult SyncPath(const std::string& path, int flags)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return ResultFromErrno(errno);
    const bool ok = fsync(fd) == 0;
    const int error = errno;
    close(fd);
    return ok ? FileResult::Ok : ResultFromErrno(error);
}

} // namespace

std::string FinalLinkTarget(const std::string& path)
{
    std::string current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char buffer[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), buffer, sizeof(buffer) - 1);
        if (n <= 0)
            return current;
        std::string target(buffer, size_t(n));
        current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
    }
    return current;
}

FileResult CreateTempBeside(const std::string& target, std::string& tempPath)
{
    std::string name = target + ".tmp-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return ResultFromErrno(errno);
    struct stat info {};
    const mode_t mode = stat(target.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
    (void)fchmod(fd, mode);
    close(fd);
    tempPath = name;
    return FileResult::Ok;
}

FileResult CommitReplacement(const std::string& tempPath, const std::string& target)
{
    FileResult result = SyncPath(tempPath, O_RDWR);
    if (result == FileResult::Ok && std::rename(tempPath.c_str(), target.c_str()) != 0)
        result = ResultFromErrno(errno);
    if (result != FileResult::Ok) {
        unlink(tempPath.c_str());
        return result;
    }
    // The rename is durable once the folder is synced; a folder that cannot be synced still
    // holds the new file.
    (void)SyncPath(FolderOf(target), O_RDONLY | O_DIRECTORY);
    return FileResult::Ok;
}

} // namespace plat
