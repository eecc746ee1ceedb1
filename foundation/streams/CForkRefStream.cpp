#include "foundation/streams/CForkRefStream.h"
#include "foundation/files/CMacAsyncPB.h"

#include <algorithm>

namespace {

// The fork object transfers at most this many bytes per call.
constexpr uint64_t kMaxTransfer = 0x40000000;

} // namespace

CForkRefStream::CForkRefStream(CMacAsyncPB* file, uint32_t mode) : LStream(mode), fFile(file) {}

void CForkRefStream::SetPosition(uint64_t newPosition) { position = newPosition; }

void CForkRefStream::SetEOF() { fFile->SetSize(position); }

void CForkRefStream::Write(const void* data, uint64_t count)
{
    if (!WriteAllowed())
        return;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (uint64_t done = 0; done < count;) {
        const uint64_t part = std::min(count - done, kMaxTransfer);
        if (!fFile->WriteAt(position, bytes + done, uint32_t(part))) {
            SetError(kWriteError);
            return;
        }
        position += part;
        done += part;
    }
}

void CForkRefStream::Read(void* buffer, uint64_t* count)
{
    const uint64_t wanted = *count;
    *count = 0;
    if (Error() != kNoError)
        return;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (*count < wanted) {
        const auto part = uint32_t(std::min(wanted - *count, kMaxTransfer));
        uint32_t got = part;
        if (!fFile->ReadAt(position, bytes + *count, &got)) {
            SetError(kReadError);
            *count = 0;
            return;
        }
        position += got;
        *count += got;
        if (got < part)
            break;   // the end of the file: a short read
    }
}
