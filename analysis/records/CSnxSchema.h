#pragma once
#include "analysis/records/SnxFields.h"
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LFieldDesc.h"

// The application's record classes (creator 'YSNX'): the document tree ('FDRS' with 'COMN',
// 'FADR', 'CHAN', 'EVTS' and 'EVTX') and the preference tree ('PREF' with 'WNDS', 'WIND',
// 'CHVW' and 'COLS'). The descriptors register themselves at start-up.
struct CSnxSchema {
    static constexpr uint32_t kCreator = FourCC("YSNX");
    static constexpr uint32_t kDocClass = FourCC("FDRS");
    static constexpr uint32_t kCommonClass = FourCC("COMN");
    static constexpr uint32_t kFaderClass = FourCC("FADR");
    static constexpr uint32_t kChannelClass = FourCC("CHAN");
    static constexpr uint32_t kPrefsClass = FourCC("PREF");
    static constexpr uint32_t kViewPrefsClass = FourCC("WNDS");
    static constexpr uint32_t kWindowClass = FourCC("WIND");
    static constexpr uint32_t kFreqViewClass = FourCC("CHVW");
    static constexpr uint32_t kColorsClass = FourCC("COLS");
    static constexpr uint32_t kEventListClass = FourCC("EVTS");
    static constexpr uint32_t kEventClass = FourCC("EVTX");

    static const LClassDesc* DocClass();
    static const LClassDesc* CommonClass();
    static const LClassDesc* FaderClass();
    static const LClassDesc* ChannelClass();
    static const LClassDesc* PrefsClass();
    static const LClassDesc* ViewPrefsClass();
    static const LClassDesc* WindowClass();
    static const LClassDesc* FreqViewClass();
    static const LClassDesc* ColorsClass();
    static const LClassDesc* EventListClass();
    static const LClassDesc* EventClass();
};
