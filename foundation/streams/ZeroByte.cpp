#include "foundation/streams/ZeroByte.h"

#include "foundation/streams/LStream.h"

#include <algorithm>
#include <cstring>

bool HoldsZeroByte(LStream& stream, uint64_t limit)
{
    char buffer[4096];
    while (limit > 0) {
        uint64_t count = std::min<uint64_t>(sizeof buffer, limit);
        stream.Read(buffer, &count);
        if (count == 0 || stream.Error() != LStream::kNoError)
            return false;
        if (std::memchr(buffer, 0, size_t(count)))
            return true;
        limit -= count;
    }
    return false;
}
