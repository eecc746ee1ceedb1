#include "platform/prefs/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace plat {
namespace {

std::atomic<AtomicFile::Hook> gBeforeRename{nullptr};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool AtomicFile::Write(const std::string& path, std::string_view bytes)
{
    std::string pattern = path + std::string(kTempMarker) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::string tempPath(name.data());
    (void)::flock(fd, LOCK_EX | LOCK_NB);   // held until the file is renamed or removed
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (ok) {
        if (Hook hook = gBeforeRename.load())
            hook(tempPath);
        ok = ::rename(tempPath.c_str(), path.c_str()) == 0;
    }
    if (!ok)
        ::unlink(tempPath.c_str());
    ok = (::close(fd) == 0) && ok;
    if (!ok)
        return false;
    SyncFolder(FolderOf(path));
    return true;
}

void AtomicFile::SetBeforeRenameHook(Hook hook)
{
    gBeforeRename.store(hook);
}

} // namespace plat
