#include "shell/resources/CByteArray.h"

#include <new>

CByteArray::CByteArray(uint32_t size)
{
    if (size == 0)
        return;
    fBytes.reset(new (std::nothrow) uint8_t[size]);
    if (fBytes)
        fSize = size;
}
