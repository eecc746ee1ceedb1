#include "analysis/render/CColorScheme.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/records/LObject.h"

namespace {

uint32_t DefaultColor(uint8_t field)
{
    switch (field) {
    case kColsCbkg: return 0x000000;
    case kColsCgrd: return 0x7F7F7F;
    case kColsCsmp: return 0xFF7F00;
    case kColsCspc: return 0x00FFBF;
    case kColsCcrs: return 0x7F7FFF;
    default: return 0;
    }
}

} // namespace

uint32_t CColorScheme::GetColor(const LObject* record, uint8_t field)
{
    if (record && record->GetArrayCount(field) >= 3) {
        const auto* bytes = static_cast<const uint8_t*>(record->GetArrayData(field));
        if (bytes)
            return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16;
    }
    return DefaultColor(field);
}

void CColorScheme::SetColor(LObject* record, LHandler* context, uint8_t field, uint32_t rgb)
{
    if (!record)
        return;
    const uint8_t bytes[3] = {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)};
    LObject::SetArray(record, context, field, bytes, 3);
}

const LObject* CColorScheme::Current()
{
    if (CAppPrefs* prefs = CAppPrefs::Current()) {
        if (prefs->Root())
            if (const LObject* colors = prefs->Root()->GetChild(kPrefClrs))
                return colors;
    }
    static const LObjectPtr defaults = LObject::Create(CSnxSchema::ColorsClass());
    return defaults.get();
}
