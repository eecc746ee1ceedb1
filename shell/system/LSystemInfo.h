#pragma once
#include <cstdint>

// What the program knows of the system it runs on, filled once by main before anything else
// starts. Every answer is 0 (or its default) until asked; an unanswered question keeps it.
struct LSystemInfo {
    // Answers one question named by a four-character selector; false when it has no answer.
    using Answer = bool (*)(uint32_t selector, int64_t& value);

    int64_t reserved0[2] = {0, 0};
    int64_t sysa = 0; // architecture
    int64_t hdwr = 1;
    int64_t proc = 1;
    int64_t mach = 0;
    int64_t os = 0;
    int64_t reserved1 = 0;
    int64_t qdrw = 0;
    int64_t snd = 0;
    int64_t tmgr = 1;
    int64_t reserved2 = 0;
    int64_t addr = 0, vm = 0, ditl = 0, fs = 0, alis = 0, fold = 0, stdf = 0, cpnt = 0, evnt = 0, help = 0,
            tsmv = 0;
    int64_t tmTV = 0; // only when text services answer and report their text-edit bit
    int64_t drag = 0, ctbv = 0, conn = 0, icon = 0, nmgr = 0, popup = 0, mixd = 0, cfrg = 0, pccd = 0,
            otan = 0, otmo = 0, powr = 0, cpkr = 0, qtim = 0, wind = 0, menu = 0;
    uint32_t osVersion = 0;    // packed: see PackOsVersion
    uint32_t qdVersion = 0;    // low 16 bits of the drawing version
    uint32_t atalkVersion = 0; // low 8 bits
    uint8_t reserved3[4] = {0, 0, 0, 0};
    uint8_t flags[7] = {1, 1, 1, 1, 1, 1, 1}; // the third enables Query
    uint8_t reserved4 = 0;
    uint8_t hasColorDrawing = 0; // drawing version 0x100 or later
    uint8_t hasQuickTime = 0;
    uint8_t reserved5 = 0;
    uint8_t osMajor = 0, osMinor = 0, osPatch = 0;

    // The process's record.
    static LSystemInfo& Global();
    // Fills the record from the system's answers (the platform's, unless a test gives its own).
    // Nothing changes when the record's third flag is 0.
    static void Query(LSystemInfo& info, Answer answer = nullptr);
    // major.minor.patch as 0xMmnp with M the two decimal digits of major: 10.6.8 gives 0x1068;
    // a minor or patch above 9 counts as 9.
    static uint32_t PackOsVersion(uint8_t major, uint8_t minor, uint8_t patch);

    // Version checks other code makes against the packed version.
    bool IsVersion10OrLater() const { return osVersion >= 0x1000; }
    bool IsVersion10_7OrLater() const { return osVersion > 0x106F; }
};
