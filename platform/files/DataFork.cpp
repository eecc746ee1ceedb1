#include "platform/files/DataFork.h"
#include "platform/io/FdIo.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

bool PositionFits(uint64_t position, size_t count)
{
    constexpr uint64_t kMax = uint64_t(std::numeric_limits<off_t>::max());
    return position <= kMax && count <= kMax - position;
}

FileResult KindOfOpened(const struct stat& info, ForkAccess access)
{
    if (S_ISREG(info.st_mode))
        return FileResult::Ok;
    if (S_ISDIR(info.st_mode))
        return FileResult::IsFolder;
    if (S_ISFIFO(info.st_mode))
        return FileResult::IsPipe;
    if (S_ISSOCK(info.st_mode))
        return FileResult::IsSocket;
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return access == ForkAccess::ReadWrite ? FileResult::Ok : FileResult::IsDevice;
    return FileResult::Failed;
}

} // namespace

FileResult OpenFileDescriptor(const std::string& path, ForkAccess access, int& fd)
{
    fd = -1;
    if (path.empty())
        return FileResult::BadPath;
    const int flags = (access == ForkAccess::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    const int opened = open(path.c_str(), flags);
    struct stat info {};
    if (opened < 0) {
        const int error = errno;
        // A socket, a pipe opened for writing without a reader, or a device without its driver.
        if (error == ENXIO && stat(path.c_str(), &info) == 0 && KindOfOpened(info, ForkAccess::Read) != FileResult::Ok)
            return KindOfOpened(info, ForkAccess::Read);
        return ResultFromErrno(error);
    }
    FileResult result = fstat(opened, &info) == 0 ? KindOfOpened(info, access) : ResultFromErrno(errno);
    if (result == FileResult::Ok && fcntl(opened, F_SETFL, fcntl(opened, F_GETFL) & ~O_NONBLOCK) != 0)
        result = ResultFromErrno(errno);
    if (result != FileResult::Ok) {
        close(opened);
        return result;
    }
    fd = opened;
    return FileResult::Ok;
}

FileResult ReadFully(int fd, uint64_t position, void* buffer, size_t& count)
{
    const size_t wanted = count;
    count = 0;
    if (fd < 0)
        return FileResult::Failed;
    if (!PositionFits(position, wanted))
        return wanted == 0 ? FileResult::Ok : FileResult::Failed;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (count < wanted) {
        const ssize_t got = pread(fd, bytes + count, wanted - count, off_t(position + count));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return ResultFromErrno(errno);
        }
        if (got == 0)
            break;
        count += size_t(got);
    }
    return FileResult::Ok;
}

FileResult WriteFully(int fd, uint64_t position, const void* data, size_t count)
{
    if (fd < 0)
        return FileResult::Failed;
    if (!PositionFits(position, count))
        return FileResult::Failed;
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t done = 0;
    while (done < count) {
        const ssize_t put = pwrite(fd, bytes + done, count - done, off_t(position + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return ResultFromErrno(errno);
        }
        if (put == 0)
            return FileResult::NoSpace;
        done += size_t(put);
    }
    return FileResult::Ok;
}

DataFork::~DataFork() { Close(); }

FileResult DataFork::Open(const std::string& path, ForkAccess access, ForkKind kind)
{
    Close();
    if (kind == ForkKind::Resource)
        return FileResult::NotFound;
    if (access == ForkAccess::ReadWrite)
        IgnoreFileSizeSignal();
    int fd = -1;
    if (const FileResult result = OpenFileDescriptor(path, access, fd); result != FileResult::Ok)
        return result;
    fFd = fd;
    fWritable = access == ForkAccess::ReadWrite;
    return FileResult::Ok;
}

void DataFork::Close()
{
    if (fFd >= 0)
        close(fFd);
    fFd = -1;
    fWritable = false;
}

FileResult DataFork::ReadAt(uint64_t position, void* buffer, size_t& count) const
{
    if (fFd < 0) {
        count = 0;
        return FileResult::Failed;
    }
    return ReadFully(fFd, position, buffer, count);
}

FileResult DataFork::WriteAt(uint64_t position, const void* data, size_t count) const
{
    if (fFd < 0)
        return FileResult::Failed;
    if (!fWritable)
        return FileResult::Denied;
    return WriteFully(fFd, position, data, count);
}

FileResult DataFork::GetSize(uint64_t& size) const
{
    size = 0;
    struct stat st {};
    if (fFd < 0)
        return FileResult::Failed;
    if (fstat(fFd, &st) != 0)
        return ResultFromErrno(errno);
    size = uint64_t(st.st_size);
    return FileResult::Ok;
}

FileResult DataFork::SetSize(uint64_t size) const
{
    if (fFd < 0)
        return FileResult::Failed;
    if (!fWritable)
        return FileResult::Denied;
    if (size > uint64_t(std::numeric_limits<off_t>::max()))
        return FileResult::Failed;
    while (ftruncate(fFd, off_t(size)) != 0) {
        if (errno != EINTR)
            return ResultFromErrno(errno);
    }
    return FileResult::Ok;
}

} // namespace plat
