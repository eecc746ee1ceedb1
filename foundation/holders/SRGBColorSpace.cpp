#include "foundation/holders/SRGBColorSpace.h"
#include "foundation/holders/CCFRef.h"

const plat::ColorSpace* GetSRGBColorSpace()
{
    // Built once under the language's thread-safe static initialisation; the holder releases
    // it at process exit.
    static const CCFRef shared = [] {
        CCFRef holder;
        holder.Adopt(plat::ColorSpace::Create(plat::ColorSpace::Kind::SRGB));
        return holder;
    }();
    const plat::ColorSpace* space = shared.As<plat::ColorSpace>();
    if (space)
        space->Retain();
    return space;
}
