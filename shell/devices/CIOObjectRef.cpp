#include "shell/devices/CIOObjectRef.h"

namespace {
// More devices than any bus holds: a bound, so a misbehaving iterator cannot hang the loop.
constexpr int kMaxDrain = 1 << 16;
}

void DrainIterator(plat::DeviceIterator* iterator)
{
    if (!iterator)
        return;
    for (int i = 0; i < kMaxDrain && iterator->Next() != 0; ++i) {
    }
}
