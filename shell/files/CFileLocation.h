#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// A location the user chooses for a file (to save or record), remembered in the preferences
// through a callback: operation 0 reads the remembered file location into `fileSpec`,
// operation 1 stores `fileSpec`.
class CFileLocation {
public:
    using Callback = void (*)(uint64_t field, uint32_t operation, LStringRef& fileSpec);
    enum : uint32_t { kRead = 0, kWrite = 1 };

    CFileLocation(const LStringRef& defaultName, uint64_t field, Callback callback);

    // Stores the chosen file location and, when it is not empty, remembers it.
    void SetPath(const LStringRef& fileSpec);
    // The chosen file location, or the default file name when none is chosen.
    LStringRef GetPathOrName() const;
    // The remembered location; else the documents folder with the default name (remembered
    // from then on); empty without a callback.
    LStringRef GetDefault() const;
    // The chosen file location, or the default location.
    LStringRef GetPath() const;
    // The chosen file location, or the default location with its file name replaced by the
    // default file name.
    LStringRef GetSavePath() const;

    const LStringRef& DefaultName() const { return fDefaultName; }

private:
    LStringRef fDefaultName;
    LStringRef fPath;
    uint64_t fField;
    Callback fCallback;
};
