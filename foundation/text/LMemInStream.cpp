#include "foundation/text/LMemInStream.h"

#include <algorithm>
#include <cstring>

void LMemInStream::Init(const void* data, uint32_t length)
{
    static const char kEmpty[1] = {0};
    if (!data || length == 0) {
        data = kEmpty;
        length = 0;
    }
    fBegin = fCursor = static_cast<const char*>(data);
    fEnd = fBegin + length;
}

bool LMemInStream::ReadByte(char& out)
{
    if (fCursor >= fEnd || *fCursor == '\0')
        return false;
    out = *fCursor++;
    return true;
}

void LMemInStream::Unread()
{
    if (fCursor > fBegin)
        --fCursor;
}

uint32_t LMemInStream::Read(void* buffer, uint32_t n)
{
    const uint32_t count = std::min(n, Remaining());
    if (count > 0)
        std::memcpy(buffer, fCursor, count);
    fCursor += count;
    return count;
}
