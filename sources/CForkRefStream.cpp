#include "sources/CForkRefStream.h"

#include "sources/CMacAsyncPB.h"

CForkRefStream::CForkRefStream(CMacAsyncPB* file, uint32_t mode) : LStream(mode), fFile(file) {}

void CForkRefStream::SetEOF()
{
    if (Error())
        return;
    if (!IsWritable()) {
        SetError(kReadOnlyError);
        return;
    }
    fFile->SetSize(position);
}

void CForkRefStream::Write(const void* data, uint64_t count)
{
    if (Error())
        return;
    if (!IsWritable()) {
        SetError(kReadOnlyError);
        return;
    }
    if (!fFile->WriteAt(position, data, size_t(count))) {
        SetError(kWriteError);
        return;
    }
    position += count;
}

void CForkRefStream::Read(void* buffer, uint64_t* count)
{
    if (Error()) {
        *count = 0;
        return;
    }
    size_t n = size_t(*count);
    if (!fFile->ReadAt(position, buffer, n)) {
        SetError(kReadError);
        *count = 0;
        return;
    }
    position += n;
    *count = n;
}

uint64_t CForkRefStream::GetSize()
{
    position = fFile->GetSize();
    return position;
}
