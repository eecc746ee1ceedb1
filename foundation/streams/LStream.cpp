#include "foundation/streams/LStream.h"

LStream::LStream(uint32_t mode) : fMode(mode) {}

void LStream::SetError(uint32_t code)
{
    if (fError == kNoError)
        fError = code;
}

bool LStream::WriteAllowed()
{
    if (fError != kNoError)
        return false;
    if (!IsWritable()) {
        SetError(kReadOnlyError);
        return false;
    }
    return true;
}
