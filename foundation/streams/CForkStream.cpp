#include "foundation/streams/CForkStream.h"
#include "platform/files/FileSpecText.h"


CForkStream::CForkStream(std::string_view path, uint32_t mode, uint32_t openFlags)
    : LStream(mode), fOpenFlags(openFlags)
{
    const plat::ForkKind kind = (openFlags & kResourceFork) ? plat::ForkKind::Resource : plat::ForkKind::Data;
    const plat::ForkAccess access = mode == kReadWrite ? plat::ForkAccess::ReadWrite : plat::ForkAccess::Read;
    const std::string posixPath = plat::PosixPathFromSpec(path);
    fOpenResult = posixPath.empty() ? plat::FileResult::BadPath : fFork.Open(posixPath, access, kind);
    if (fOpenResult != plat::FileResult::Ok) {
        SetError(kOpenFailed);
        return;
    }
    fOpen = true;
}

CForkStream::~CForkStream() { fFork.Close(); }

void CForkStream::SetPosition(uint64_t newPosition)
{
    if (Error() == kNoError)
        position = newPosition;
}

void CForkStream::SetEOF()
{
    if (!WriteAllowed())
        return;
    if (fFork.SetSize(position) != plat::FileResult::Ok)
        SetError(kWriteError);
}

void CForkStream::Write(const void* data, uint64_t count)
{
    if (!WriteAllowed())
        return;
    if (count == 0)
        return;
    // A short write is never success: the fork writes everything or reports the failure.
    if (fFork.WriteAt(position, data, size_t(count)) != plat::FileResult::Ok) {
        SetError(kWriteError);
        return;
    }
    position += count;
}

void CForkStream::Read(void* buffer, uint64_t* count)
{
    if (Error() != kNoError) {
        *count = 0;
        return;
    }
    size_t got = size_t(*count);
    if (fFork.ReadAt(position, buffer, got) != plat::FileResult::Ok) {
        SetError(kReadError);
        *count = 0;
        return;
    }
    position += got;
    *count = got;
}

uint64_t CForkStream::GetSize()
{
    if (Error() != kNoError)
        return position;
    uint64_t size = 0;
    if (fFork.GetSize(size) != plat::FileResult::Ok)
        SetError(kReadError);
    else
        position = size;
    return position;
}
