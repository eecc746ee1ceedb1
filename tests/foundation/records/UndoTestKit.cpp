#include "tests/foundation/records/UndoTestKit.h"

#include <cstring>

uint64_t UndoFixtureBase::LastRecordStart() const
{
    const CUndoRing& ring = doc.queue.Ring();
    if (ring.cur < 4)
        return 0;
    uint32_t length = 0;
    std::memcpy(&length, bytes.Data() + ring.cur - 4, 4);
    return ring.cur - length;
}
