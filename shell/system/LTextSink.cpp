#include "shell/system/LTextSink.h"

#include <algorithm>
#include <cstring>

LTextSink::LTextSink(char* buffer, uint32_t capacity) : fCapacity(buffer ? capacity : 0), fBuffer(buffer)
{
    Clear();
}

int LTextSink::Clear()
{
    fLength = 0;
    fTruncated = 0;
    if (fCapacity > 0)
        fBuffer[0] = '\0';
    return 0;
}

void LTextSink::Write(const char* bytes, uint32_t n)
{
    // Room for k - 1 bytes and the NUL; the NUL already in place when k is 1.
    const uint64_t k = std::min<uint64_t>(uint64_t(n) + 1, fCapacity - fLength);
    const uint32_t written = k >= 2 ? uint32_t(k - 1) : 0;
    if (written > 0) {
        std::memcpy(fBuffer + fLength, bytes, written);
        fLength += written;
        fBuffer[fLength] = '\0';
    }
    if (written < n)
        fTruncated = 1;
}
