#include "shell/system/LAEDesc.h"

void LAEDesc::InitNull()
{
    fDesc = AEDescriptor{kTypeNull, nullptr};
    fBorrowed = 0;
}

void LAEDesc::InitList(const AEDescriptor* descriptor)
{
    Dispose();
    if (descriptor) {
        fDesc = *descriptor;
        fBorrowed = 1;
        return;
    }
    fOwned = std::make_unique<std::vector<uint8_t>>();
    fDesc = AEDescriptor{kTypeRecord, fOwned.get()};
    fBorrowed = 0;
}

void LAEDesc::Dispose()
{
    fOwned.reset();
    InitNull();
}
