#include "platform/files/AtomicReplace.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

constexpr int kMaxLinks = 40;
constexpr int kTempNameTries = 100;
constexpr size_t kRandomChars = 6;
constexpr std::string_view kNameAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

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

// A temporary file's last six characters are letters and digits.
bool IsTempName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kRandomChars || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + std::ptrdiff_t(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Takes the file's lock without waiting and removes it while holding the lock, provided the
// name still names the plain file that was locked.
bool RemoveIfUnlocked(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    struct stat named {};
    const bool ours = fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == geteuid() &&
                      flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(path.c_str(), &named) == 0 &&
                      named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
    const bool removed = ours && unlink(path.c_str()) == 0;
    close(fd);
    return removed;
}

std::string RandomChars()
{
    thread_local std::mt19937_64 engine{std::random_device{}()};
    uint64_t bits = engine();
    std::string chars;
    for (size_t i = 0; i < kRandomChars; ++i, bits /= kNameAlphabet.size())
        chars += kNameAlphabet[bits % kNameAlphabet.size()];
    return chars;
}

// Opens a new file named `prefix` and six random letters or digits, trying other names while
// the name is taken. The kernel takes away from `mode` what the umask (or the folder's default
// ACL) withholds, as for any new file: the process's umask is never read by setting it, which
// would race with other threads making files. -1 with errno on failure.
int OpenNewFile(const std::string& prefix, mode_t mode, std::string& path)
{
    for (int i = 0; i < kTempNameTries; ++i) {
        std::string name = prefix + RandomChars();
        const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            path = std::move(name);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
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

FileResult CreateTempBeside(const std::string& target, std::string& tempPath, int& lockFd)
{
    lockFd = -1;
    // A file replaced keeps its permission bits; a new one gets 0666 less the umask. The
    // temporary file is never more open than the file it replaces, not even for a moment.
    struct stat info {};
    const bool replacing = stat(target.c_str(), &info) == 0;
    std::string name;
    const int fd = OpenNewFile(target + std::string(kTempMarker), replacing ? (info.st_mode & 0666) : 0666, name);
    if (fd < 0)
        return ResultFromErrno(errno);
    (void)flock(fd, LOCK_EX | LOCK_NB);   // nobody else knows the new name yet
    if (replacing)
        (void)fchmod(fd, info.st_mode & 07777);
    lockFd = fd;
    tempPath = name;
    return FileResult::Ok;
}

void ReleaseTempLock(int& lockFd)
{
    if (lockFd >= 0)
        close(lockFd);
    lockFd = -1;
}

size_t RemoveLeftoverTemps(const std::string& target, std::string_view marker)
{
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + std::string(marker);
    std::vector<std::string> names;
    if (ListFolder(folder, names) != FileResult::Ok)
        return 0;
    size_t removed = 0;
    for (const std::string& name : names) {
        if (IsTempName(name, prefix) && RemoveIfUnlocked(folder + "/" + name))
            ++removed;
    }
    return removed;
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
