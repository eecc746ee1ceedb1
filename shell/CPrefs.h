#pragma once
#include "foundation/holders/CCFRef.h"
#include "foundation/core/LStringRef.h"
#include "foundation/persist/CCFDictStore.h"

#include <cstdint>
#include <memory>

namespace plat {
class Dict;
}

// One load or one save of the application's settings: the dictionary stored under "prefs"
// in the preferences domain. In read mode the stored dictionary is read as it is (and never
// written); in write mode a private deep copy (or a new empty dictionary) is worked on and
// stored back, and the domain written to its file, when the object is closed.
class CPrefs {
public:
    enum : uint8_t { kRead = 0, kWrite = 1 };

    // An empty id selects the application's own domain; mode kWrite opens for writing, any
    // other value for reading.
    CPrefs(const LStringRef& appId, uint8_t mode);
    // Closes (see Close).
    ~CPrefs();
    CPrefs(const CPrefs&) = delete;
    CPrefs& operator=(const CPrefs&) = delete;

    // The node through which callers read and write the settings. Reads on a missing or
    // malformed "prefs" value find nothing; in read mode every write is ignored.
    LKeyValueNode& Store() { return *fStore; }
    // In write mode stores the dictionary under "prefs" and writes the domain's file; false
    // when that write failed. Nothing happens the second time or in read mode; the store
    // stays readable until the object goes.
    [[nodiscard]] bool Close();

private:
    CCFRef fAppId;
    CCFRef fDictionary;
    std::unique_ptr<CCFDictStore> fStore;
    uint8_t fWriteMode;
    bool fClosed = false;
};

// Stores a 32-bit signed number under the key.
void SetDictInt32(plat::Dict& dictionary, const char* key, int32_t value);
