#include "controls/CViewPrefs.h"
#include "foundation/records/CParamSet.h"

#include <string>

CViewPrefs& CViewPrefs::Shared()
{
    static CViewPrefs prefs;
    return prefs;
}

bool CViewPrefs::GetFont(uint32_t fontId, FontSpec& spec) const
{
    if (!fParams)
        return false;
    const LObject* fonts = CParamSet::GetSubSet(fParams, "fonts");
    const LObject* entry = fonts ? CParamSet::GetSubSet(fonts, std::to_string(fontId).c_str()) : nullptr;
    if (!entry)
        return false;
    LStringRef family;
    CParamSet::Find(entry, "fam", &family);
    float size = 12.0f;
    if (CParamSet::GetFloat(entry, "pts", size) < 0)
        size = 12.0f;
    spec.family = family;
    spec.size = size;
    return !family.IsEmpty();
}
