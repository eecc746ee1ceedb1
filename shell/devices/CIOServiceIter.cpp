#include "shell/devices/CIOServiceIter.h"

CIOServiceIter::CIOServiceIter(const plat::DeviceMatch* match, plat::DeviceRegistry& registry)
{
    if (match)
        fIterator = CIOObjectRef(registry.Matching(*match));
}

plat::DeviceId CIOServiceIter::Next()
{
    return fIterator ? fIterator.Get()->Next() : 0;
}
