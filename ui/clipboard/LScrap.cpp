#include "ui/clipboard/LScrap.h"
#include "foundation/core/StrEqual.h"

bool LScrap::SameType(const LScrap& other) const
{
    return StrEqual(GetTypeName(), other.GetTypeName());
}
