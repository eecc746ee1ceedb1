#pragma once
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "foundation/records/LObject.h"

#include <cmath>
#include <cstdint>

// The preference records a document window reads and writes besides its own 'WIND' record:
// the common view settings ('WNDS') that new windows copy, and the colours ('COLS').
inline LObject* ViewPrefs()
{
    CAppPrefs* prefs = CAppPrefs::Current();
    return prefs && prefs->Root() ? prefs->Root()->GetChild(kPrefComn) : nullptr;
}

inline LObject* ColorPrefs()
{
    CAppPrefs* prefs = CAppPrefs::Current();
    return prefs && prefs->Root() ? prefs->Root()->GetChild(kPrefClrs) : nullptr;
}

// Field reads that answer 0 for a missing record.
inline uint8_t ByteOf(const LObject* record, uint8_t field)
{
    return record ? record->GetByte(field) : 0;
}

inline float FloatOf(const LObject* record, uint8_t field)
{
    return record ? record->GetFloat(field) : 0.0f;
}

// A stored float as an unsigned count: NaN, negative and huge values never overflow.
inline uint32_t TruncToCount(float value, uint32_t limit = UINT32_MAX)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= float(limit))
        return limit;
    return uint32_t(value);
}

