#include "platform/ColorSpace.h"

#include <new>

namespace plat {

ColorSpace* ColorSpace::Create(Kind kind)
{
    return new (std::nothrow) ColorSpace(kind);
}

} // namespace plat
