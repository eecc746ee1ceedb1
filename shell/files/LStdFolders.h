#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// The user's standard folders as file locations, found once at start-up without making
// them: a folder keeps its place whether it exists or not, and only one that has no place
// here keeps the fallback location given at construction.
class LStdFolders {
public:
    static constexpr uint32_t kDesktop = 0x6465736B;              // 'desk'
    static constexpr uint32_t kScratch = 0x75746D70;              // 'utmp'
    static constexpr uint32_t kSystem = 0x6D616373;               // 'macs'
    static constexpr uint32_t kApplications = 0x61707073;         // 'apps'
    static constexpr uint32_t kUserHome = 0x63757372;             // 'cusr'
    static constexpr uint32_t kDocuments = 0x646F6373;            // 'docs'
    static constexpr uint32_t kApplicationSupport = 0x61737570;   // 'asup'
    static constexpr uint32_t kTrash = 0x74727368;                // 'trsh'
    static constexpr uint32_t kSlotCount = 8;

    // The fallback is a file location, or null for the temporary folder. The first instance
    // made becomes the shared one until it is destroyed.
    explicit LStdFolders(const LStringRef* fallback);
    ~LStdFolders();
    LStdFolders(const LStdFolders&) = delete;
    LStdFolders& operator=(const LStdFolders&) = delete;

    // The folder of a code above; empty for an unknown code.
    LStringRef Get(uint32_t code) const;

    // The shared instance made at start-up, or null.
    static LStdFolders* Shared();
    // The file location of a standard folder from the shared instance, or found now when
    // there is none.
    static LStringRef Find(uint32_t code);

private:
    LStringRef fSlots[kSlotCount];
};
