#include "foundation/core/LStringRef.h"
#include "foundation/core/StrEqual.h"

#include <cstring>

bool LStringRef::Equals(const LStringRef& a, const LStringRef& b) noexcept
{
    if (a.Get() == b.Get())
        return true;
    return a.Length() == b.Length() && std::memcmp(a.Text(), b.Text(), a.Length()) == 0;
}

bool operator==(const LStringRef& a, const char* b) noexcept
{
    return StrEqual(a.Text(), b);
}
