#include "foundation/holders/CCFRef.h"

void CCFRef::AssignRetain(const plat::Shared* object)
{
    if (object)
        object->Retain();
    const plat::Shared* old = fObject;
    fObject = object;
    if (old)
        old->Release();
}

void CCFRef::Adopt(const plat::Shared* object)
{
    const plat::Shared* old = fObject;
    fObject = object;
    if (old)
        old->Release();
}

CCFRef& CCFRef::Reset()
{
    Adopt(nullptr);
    return *this;
}
